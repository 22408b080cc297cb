// Checked reading of the members of one JSON object, for `tk70-tsf build`.  Every read
// checks the member's JSON type and its limits and records each fault under the
// member's path (tags[3].loop); a member that is absent leaves the value as it was.
// Members that no read asked for can be reported as unknown afterwards.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QStringList>
#include <limits>
#include <span>

namespace tk70 {

// The faults and warnings of one reading, in the order they were found.
struct JsonProblems {
    QStringList messages;  // "path: text"; a warning's text begins with "warning: "
    int errors = 0;

    void error(const QString &path, const QString &text);
    void warning(const QString &path, const QString &text);
};

class JsonObjectReader {
public:
    // path names the object in messages; empty for the top level.
    JsonObjectReader(const QJsonObject &object, const QString &path, JsonProblems &problems);

    static constexpr qint32 kIntMin = std::numeric_limits<qint32>::min();
    static constexpr qint32 kIntMax = std::numeric_limits<qint32>::max();
    static constexpr qsizetype kAnyLength = std::numeric_limits<qsizetype>::max();
    static constexpr double kAnyNumber = std::numeric_limits<double>::max();

    // Whether the object has the member.
    bool has(const char *key) const;
    // A whole number from min to max.
    void readInt(const char *key, qint32 &value, qint32 min = kIntMin, qint32 max = kIntMax);
    // A whole number equal to one of allowed.
    void readIntOf(const char *key, qint32 &value, std::span<const qint32> allowed);
    // A number from min to max.
    void readDouble(const char *key, double &value, double min = -kAnyNumber, double max = kAnyNumber);
    // A text of at most maxChars characters, all of them Windows-1252 characters.
    // Returns whether the member was there and taken.
    bool readText(const char *key, QString &value, qsizetype maxChars = kAnyLength);
    // A text equal to one of allowed.
    void readTextOf(const char *key, QString &value, const QStringList &allowed);
    // An array of at most values.size() whole numbers from min to max, read into the
    // first entries of values.
    void readIntArray(const char *key, std::span<qint32> values, qint32 min, qint32 max);
    // An array of at most maxCount objects: a reader for each object among its first
    // maxCount entries (an entry that is no object is a fault and gets none).
    QList<JsonObjectReader> readObjects(const char *key, qsizetype maxCount);
    // A member that is known and deliberately not read.
    void ignore(const char *key);

    // A warning for every member that no read or ignore asked for.
    void warnUnknownKeys() const;
    // Records a fault of the member key (checks that span several members).
    void error(const char *key, const QString &text) const;
    void warning(const char *key, const QString &text) const;
    // The faults recorded so far in the whole reading.
    int errors() const { return m_problems->errors; }

private:
    // The member's value when it is present; marks the key as asked for.
    bool take(const char *key, QJsonValue &value);
    QString pathOf(const char *key) const;
    QString pathOf(const QString &name) const;
    QString pathOf(const char *key, qsizetype index) const;
    // Value checks; each records its fault under path and returns false.
    bool expectType(bool ok, const QJsonValue &value, const QString &path, const char *what) const;
    bool checkInt(const QJsonValue &value, const QString &path, qint32 min, qint32 max, qint32 &out) const;
    bool checkText(const QJsonValue &value, const QString &path, qsizetype maxChars, QString &out) const;
    bool checkArray(const QJsonValue &value, const QString &path, qsizetype maxCount, QJsonArray &out) const;

    QJsonObject m_object;
    QString m_path;
    JsonProblems *m_problems;
    QSet<QString> m_asked;
};

}  // namespace tk70
