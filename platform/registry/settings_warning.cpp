// The warnings about the settings store: see settings_warning.h.
#include "platform/registry/settings_warning.h"

#include "platform/messages.h"
#include "platform/registry/settings_store.h"

namespace tk70 {

namespace {

const char *const kUnreadable =
    "The settings could not be read; defaults are used and nothing will be written until the file is mended.";
const char *const kUnwritable = "The settings cannot be saved; changes will not be kept.";
const char *const kNotSaved = "The settings could not be saved.";

// The sentence, a blank line and the store's error text, as a warning.
void warn(const char *sentence, const QString &error)
{
    Messages::note(QStringLiteral("%1\n\n%2").arg(QLatin1String(sentence), error), QString::fromLatin1(kTitleWarning),
                   MessageIcon::Warning);
}

}  // namespace

bool warnIfSettingsUnusable(const SettingsStore &store)
{
    if (warnIfSettingsUnreadable(store))
        return true;
    if (store.canWrite())
        return false;
    warn(kUnwritable, store.errorText());
    return true;
}

bool warnIfSettingsUnreadable(const SettingsStore &store)
{
    if (store.isReadable())
        return false;
    warn(kUnreadable, store.errorText());
    return true;
}

void warnSettingsNotSaved(const SettingsStore &store)
{
    const QString refusal = store.errorText();
    if (!warnIfSettingsUnreadable(store))
        warn(kNotSaved, refusal);
}

}  // namespace tk70
