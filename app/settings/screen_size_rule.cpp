// The screen-size rule of the first start: see screen_size_rule.h.
#include "app/settings/screen_size_rule.h"

#include "platform/messages.h"

namespace tk70 {

bool screenBelowRecommended(const QSize &screen) { return screen.width() < 800 || screen.height() < 600; }

QString lowResolutionNote()
{
    return QStringLiteral("Although the TK70 Pro will function with this display\n"
                          "adapter, it is strongly recommended that you use a\n"
                          "higher resolution display adapter.");
}

bool noteLowResolution(const QSize &screen)
{
    if (!screenBelowRecommended(screen))
        return false;
    Messages::note(lowResolutionNote(), QLatin1String(kTitleProgram), MessageIcon::Information);
    return true;
}

}  // namespace tk70
