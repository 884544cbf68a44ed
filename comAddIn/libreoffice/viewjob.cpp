#include "comAddIn/libreoffice/viewjob.h"

#include "comAddIn/libreoffice/relayclient.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/uno/Exception.hpp>

using namespace css;

namespace lohost
{

namespace
{

uno::Any namedValue(const uno::Sequence<beans::NamedValue> &values, const OUString &name)
{
    for (const beans::NamedValue &value : values) {
        if (value.Name == name)
            return value.Value;
    }
    return {};
}

} // namespace

uno::Any ViewJob::execute(const uno::Sequence<beans::NamedValue> &arguments)
{
    uno::Sequence<beans::NamedValue> environment;
    namedValue(arguments, "Environment") >>= environment;
    uno::Reference<frame::XFrame> frame(namedValue(environment, "Frame"), uno::UNO_QUERY);
    if (!frame.is()) {
        const uno::Reference<frame::XModel> model(namedValue(environment, "Model"), uno::UNO_QUERY);
        if (model.is() && model->getCurrentController().is())
            frame = model->getCurrentController()->getFrame();
    }
    try {
        if (frame.is())
            RelayClient::instance().frameAppeared(m_context, frame);
    } catch (const uno::Exception &failure) {
        logProblem("the bars cannot be shown: " + utf8(failure.Message));
    }
    return {};
}

} // namespace lohost
