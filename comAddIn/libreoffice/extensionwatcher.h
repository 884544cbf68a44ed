#pragma once

#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/uno/XComponentContext.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <cppuhelper/implbase1.hxx>

// Notices when the user removes or disables the extension in the running office.
namespace lohost
{

// The identifier in the extension's description.xml.
inline constexpr char extensionIdentifier[] = "org.murvel.addins";

class ExtensionWatcher : public cppu::WeakImplHelper1<css::util::XModifyListener>
{
public:
    // Listens to the office's extension manager for as long as the office runs.
    static void start(const css::uno::Reference<css::uno::XComponentContext> &context);

    void SAL_CALL modified(const css::lang::EventObject &event) override;
    void SAL_CALL disposing(const css::lang::EventObject &) override {}

private:
    explicit ExtensionWatcher(css::uno::Reference<css::uno::XComponentContext> context);
    bool isInstalledAndEnabled() const;

    css::uno::Reference<css::uno::XComponentContext> m_context;
};

} // namespace lohost
