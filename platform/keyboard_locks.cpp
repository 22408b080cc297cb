// Keyboard lock state from the kernel's LED class.
#include "platform/keyboard_locks.h"

#include <QDir>
#include <QFile>

namespace tk70 {
namespace {

bool ledLit(const QString &ledDir)
{
    QFile brightness(ledDir + QStringLiteral("/brightness"));
    if (!brightness.open(QIODevice::ReadOnly))
        return false;
    return brightness.read(16).trimmed().toInt() > 0;
}

}  // namespace

KeyboardLocks readKeyboardLocks(const QString &root)
{
    KeyboardLocks locks;
    const QDir leds(root);
    for (const QString &name : leds.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (!ledLit(leds.filePath(name)))
            continue;
        if (name.endsWith(QLatin1String("::capslock")))
            locks.caps = true;
        else if (name.endsWith(QLatin1String("::numlock")))
            locks.num = true;
        else if (name.endsWith(QLatin1String("::scrolllock")))
            locks.scroll = true;
    }
    return locks;
}

}  // namespace tk70
