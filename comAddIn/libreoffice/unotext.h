#pragma once

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/uno/Sequence.hxx>
#include <initializer_list>
#include <rtl/ustring.hxx>
#include <string>

// Texts between the relay (UTF-8) and UNO (UTF-16), and the property lists UNO takes.
namespace lohost
{

using rtl::OString;
using rtl::OUString;

inline std::string utf8(const OUString &text)
{
    const OString bytes = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(bytes.getStr(), bytes.getLength());
}

inline OUString unoText(const std::string &text)
{
    return OUString(text.data(), static_cast<sal_Int32>(text.size()), RTL_TEXTENCODING_UTF8);
}

inline css::beans::PropertyValue property(const OUString &name, const css::uno::Any &value)
{
    css::beans::PropertyValue result;
    result.Name = name;
    result.Value = value;
    return result;
}

inline css::uno::Sequence<css::beans::PropertyValue>
properties(std::initializer_list<css::beans::PropertyValue> list)
{
    return css::uno::Sequence<css::beans::PropertyValue>(list.begin(),
                                                         static_cast<sal_Int32>(list.size()));
}

// The value of the named property in a list; an empty Any when it is missing.
inline css::uno::Any propertyOf(const css::uno::Sequence<css::beans::PropertyValue> &list,
                                const OUString &name)
{
    for (const css::beans::PropertyValue &entry : list) {
        if (entry.Name == name)
            return entry.Value;
    }
    return {};
}

// The named text property; empty when it is missing or no text.
inline OUString textPropertyOf(const css::uno::Sequence<css::beans::PropertyValue> &list,
                               const OUString &name)
{
    OUString text;
    propertyOf(list, name) >>= text;
    return text;
}

// Diagnostics go to the office's error output: the extension shows no messages itself.
void logProblem(const std::string &text);

} // namespace lohost
