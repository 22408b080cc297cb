// The settings store: the program's and the driver's settings, kept the way the original
// platform's registry kept them (keys under HKEY_LOCAL_MACHINE, named values that keep
// their type), in one human-readable file.
//
// Location: the environment variable TK70_REGISTRY when set, else
// $XDG_CONFIG_HOME/tk70pro/registry (~/.config/tk70pro/registry without XDG_CONFIG_HOME).
// Key names are relative to HKEY_LOCAL_MACHINE ("SOFTWARE\\Kestrane\\Ciu Driver") and
// compared without regard to letter case, as the registry did.  A value missing or of
// another type than asked for reads as absent.  Every write replaces the file atomically
// (temporary file and rename), so a crash never leaves half a file behind.  Values saved
// together go through one batch (apply()), which replaces the file once.
//
// A file that cannot be read (a line this store does not understand, no permission to
// read it) reads as an empty store and is never written: every write is refused until the
// file is corrected or removed.  errorText() names the file and, where there is one, the
// line: "<file>: line 7: unknown value type ..." or "<file>: Permission denied".
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tk70 {

namespace reg {
class RegDocument;
}

class SettingsBatch;

// Registry value types, with the original platform's type codes.
enum class RegType : quint32 { Sz = 1, Dword = 4, MultiSz = 7 };

// A value as stored: a DWORD is 4 bytes little-endian; REG_SZ and REG_MULTI_SZ are bytes
// (UTF-8 text) with their terminating zero bytes exactly as they were written.
struct RegValue {
    RegType type = RegType::Dword;
    QByteArray data;
};

inline const char *const kProgramKey = "SOFTWARE\\Kestrane\\TK70 Pro";
inline const char *const kDriverKey = "SOFTWARE\\Kestrane\\Ciu Driver";

class SettingsStore {
public:
    // The store kept in path; an empty path means defaultPath().
    explicit SettingsStore(QString path = {});

    static QString defaultPath();
    QString path() const { return m_path; }

    // Whether the key exists.
    bool keyExists(const QString &key) const;
    // Creates the key (with its parents) when missing.  Returns false when the file
    // cannot be written (see errorText()).
    bool createKey(const QString &key);

    // The value as stored, or nothing when the key or the value is missing.
    std::optional<RegValue> value(const QString &key, const QString &name) const;
    // Typed reads; nothing when missing or of another type.
    std::optional<quint32> dword(const QString &key, const QString &name) const;
    std::optional<QString> string(const QString &key, const QString &name) const;          // REG_SZ, up to its NUL
    std::optional<QByteArray> multiString(const QString &key, const QString &name) const;  // raw REG_MULTI_SZ data

    // Makes every change that fill asks of the batch as one write: under the file lock the
    // file is read again, the changes are made to what it holds, and the file is replaced
    // once (not at all when nothing changed).  Returns false, with errorText() and the file
    // untouched, when the file cannot be read, or cannot be written and something changed,
    // or one of the changes is refused.
    // fill runs only when the file could be read, and must not use this store.
    bool apply(const std::function<void(SettingsBatch &)> &fill);

    // Each of these is one change applied alone (see apply()): writes a value, creating its
    // key.  Returns false when the file cannot be written or holds something this store
    // cannot read (it is then left untouched).
    bool setValue(const QString &key, const QString &name, const RegValue &value);
    bool setDword(const QString &key, const QString &name, quint32 value);
    bool setString(const QString &key, const QString &name, const QString &value);         // text and one NUL
    bool setMultiString(const QString &key, const QString &name, const QByteArray &data);  // data as given
    bool removeValue(const QString &key, const QString &name);

    // Whether the file can be read (a missing file can: it is an empty store).  False
    // with errorText() when not.
    bool isReadable() const;
    // Whether a write would be accepted now: the file can be read, and the file and its
    // folder (or the nearest existing folder above it) let it be replaced.  Writes nothing;
    // false with errorText() when not.
    bool canWrite() const;

    // Why the last operation failed, or why the file could not be read, as
    // "<file>: <reason>" or "<file>: line <n>: <reason>"; empty when it succeeded.
    QString errorText() const { return m_error; }

private:
    // The file as it is now (re-read, parsed again only when its bytes changed), or null
    // when it cannot be read; m_error then says why.
    const reg::RegDocument *document() const;
    // Replaces the file with the document, which becomes the one held.
    bool replaceFile(reg::RegDocument document);
    // Sets errorText() to "<file>: why"; returns false.
    bool fail(const QString &why) const;

    QString m_path;
    mutable QString m_error;
    mutable bool m_loaded = false;                               // m_text and what follows are set
    mutable QByteArray m_text;                                   // the file's bytes as last read
    mutable std::shared_ptr<const reg::RegDocument> m_document;  // parsed from m_text; null when unreadable
    mutable QString m_parseError;                                // why m_text could not be parsed ("line 7: ...")
};

}  // namespace tk70
