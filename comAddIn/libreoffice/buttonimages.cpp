#include "comAddIn/libreoffice/buttonimages.h"

#include "comAddIn/libreoffice/commandurl.h"
#include "comAddIn/libreoffice/unotext.h"

#include <com/sun/star/graphic/GraphicProvider.hpp>
#include <com/sun/star/graphic/XGraphic.hpp>
#include <com/sun/star/ui/ImageType.hpp>
#include <com/sun/star/ui/XImageManager.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <set>

using namespace css;

namespace lohost
{

namespace
{

struct Pictures {
    std::vector<OUString> commands;
    std::vector<uno::Reference<graphic::XGraphic>> graphics;
};

const sal_Int16 kSmall = ui::ImageType::SIZE_DEFAULT;
const sal_Int16 kLarge = ui::ImageType::SIZE_LARGE;

uno::Reference<ui::XImageManager>
imageManager(const uno::Reference<ui::XUIConfigurationManager> &configuration)
{
    return uno::Reference<ui::XImageManager>(configuration->getImageManager(), uno::UNO_QUERY);
}

// The picture in the file; nothing when the file cannot be read as one.
uno::Reference<graphic::XGraphic> loadPicture(const uno::Reference<uno::XComponentContext> &context,
                                              const std::string &path)
{
    const auto provider = graphic::GraphicProvider::create(context);
    try {
        return provider->queryGraphic(
            properties({property("URL", uno::Any(unoText(relay::urlOfLocalPath(path))))}));
    } catch (const uno::Exception &failure) {
        logProblem("the picture " + path + " cannot be read: " + utf8(failure.Message));
        return {};
    }
}

Pictures picturesOf(const uno::Reference<uno::XComponentContext> &context,
                    const std::vector<relay::Bar> &bars, bool large)
{
    Pictures pictures;
    for (const relay::Bar &bar : bars) {
        for (const relay::BarControl &control : bar.controls) {
            const std::string &path = large ? control.largeImage : control.image;
            if (path.empty())
                continue;
            if (const auto graphic = loadPicture(context, path); graphic.is()) {
                pictures.commands.push_back(unoText(relay::commandForTag(control.tag)));
                pictures.graphics.push_back(graphic);
            }
        }
    }
    return pictures;
}

template<class T> uno::Sequence<T> sequenceOf(const std::vector<T> &items)
{
    return uno::Sequence<T>(items.data(), static_cast<sal_Int32>(items.size()));
}

// The mirrored commands with a picture of that size, other than those to keep.
std::vector<OUString> mirroredImages(const uno::Reference<ui::XImageManager> &images,
                                     sal_Int16 size, const std::vector<OUString> &keep)
{
    const OUString prefix = unoText(relay::commandPrefix);
    const std::set<OUString> kept(keep.begin(), keep.end());
    std::vector<OUString> found;
    for (const OUString &command : images->getAllImageNames(size)) {
        if (command.startsWith(prefix) && !kept.count(command))
            found.push_back(command);
    }
    return found;
}

void setPictures(const uno::Reference<ui::XImageManager> &images, sal_Int16 size,
                 const Pictures &pictures)
{
    const std::vector<OUString> stale = mirroredImages(images, size, pictures.commands);
    if (!stale.empty())
        images->removeImages(size, sequenceOf(stale));
    // An association already there is replaced.
    if (!pictures.commands.empty())
        images->insertImages(size, sequenceOf(pictures.commands), sequenceOf(pictures.graphics));
}

} // namespace

void setButtonImages(const uno::Reference<uno::XComponentContext> &context,
                     const uno::Reference<ui::XUIConfigurationManager> &configuration,
                     const std::vector<relay::Bar> &bars)
{
    const uno::Reference<ui::XImageManager> images = imageManager(configuration);
    if (!images.is())
        return;
    try {
        setPictures(images, kSmall, picturesOf(context, bars, false));
        setPictures(images, kLarge, picturesOf(context, bars, true));
    } catch (const uno::Exception &failure) {
        logProblem("the buttons' pictures cannot be set: " + utf8(failure.Message));
    }
}

void removeButtonImages(const uno::Reference<ui::XUIConfigurationManager> &configuration)
{
    setButtonImages({}, configuration, {});
}

} // namespace lohost
