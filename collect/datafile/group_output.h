// The output of one collection group while it collects: what it is told to write (the
// header facts, the member tags as columns, the readings of a sample) and the operations
// the collection run calls on it (open, header, sample, close).
#pragma once

#include "core/point_reading.h"
#include "core/product.h"
#include "platform/messages.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <memory>
#include <vector>

namespace tk70 {

// One member tag of the group: its position in the whole tag list (the driver client's
// tag position) and what the header shows of it.
struct DataColumn {
    int position = 0;
    QString tagname;
    qint32 loop = 0;
    qint32 pcu = 0;
    qint32 module = 0;
    qint32 block = 0;
    // What the database output's tag information table holds besides the address.
    qint32 pointType = 0;
    std::array<bool, kCollectionGroupCount> groups{};  // membership in collection groups 1 to 4
    QString description{};
};

// What the header block names besides the columns.
struct HeaderFacts {
    QDateTime startingDate;  // the time of the open
    QString tsfPath;         // full path of the tag selection document
    int groupNumber = 1;     // 1 to 4
    QString inhibitTagName;  // the resolved save inhibit tag; empty for none
};

// How an open treats a file that exists already.
enum class OverwritePolicy {
    Ask,        // ask the overwrite question; No makes the open fail
    Overwrite,  // replace it without asking (the opens of an automatic start with the
                // acknowledgement set)
    Retry       // the same open once more after it failed: the question was settled then,
                // and the failure message, shown then, is not shown again
};

// What became of the samples an output was given, over every file it opened.
struct SampleCounts {
    qint64 stored = 0;   // in the file: written through the stream, or committed
    qint64 waiting = 0;  // kept in order until the file takes them
    qint64 lost = 0;     // given up: past the bound of waiting samples, or not writable at a close
};

// What became of an open; true when the output is open.
struct OpenResult {
    enum class Outcome {
        Opened,
        Declined,  // the user kept the existing file: nothing opened, nothing more shown
        Failed     // the file could not be opened (its message shown, unless retrying)
    };
    Outcome outcome = Outcome::Failed;
    explicit operator bool() const { return outcome == Outcome::Opened; }
};

class GroupOutput {
public:
    virtual ~GroupOutput() = default;
    // Opens the output at path, appending when append is set.  Not opened when the user
    // declines overwriting, or after the open's error message.
    virtual OpenResult open(const QString &path, bool append, OverwritePolicy policy) = 0;
    virtual bool isOpen() const = 0;
    // The header block of one open, written through to the disk.  Returns false, after
    // the open's error message (not for an open that retried) and with the output
    // closed, when it cannot be written (a full disk): a file that cannot take its header
    // would lose every sample.
    virtual bool writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns) = 0;
    // One sample line stamped with stamp (local time, second resolution).
    virtual void writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                             const PointReadings &readings) = 0;
    // Closes the output; nothing happens when it is not open.
    virtual void close() = 0;
    // Writes the samples that wait (a locked database); nothing for an output whose
    // samples never wait.  The run calls it between samples.
    virtual void writeWaiting() {}
    virtual SampleCounts counts() const = 0;
    // A line on the output's own state for the status bar and the summary (a historian's
    // connection); empty for an output that has none.
    virtual QString stateText() const { return {}; }
    // The question asked before an existing file at path is replaced.
    virtual Message overwriteQuestion(const QString &path) const = 0;

    // Once the run has started, the output's messages come from a sampling path and are
    // posted (shown without waiting for OK), so that no box stops a group's timer.
    void setSampling(bool sampling) { m_sampling = sampling; }

protected:
    // Shows, or while sampling posts, an OK message.
    void report(const QString &text, const QString &title, MessageIcon icon) const;

private:
    bool m_sampling = false;
};

// "File ... Already Exists": the Yes/No question (No the default) before path is
// replaced, under title.
Message fileExistsQuestion(const QString &path, const QString &title);

// The refusal of an output file that another collector (a group of this program or
// another TK70) is writing.
QString outputHeldMessage(const QString &path);

// The text output of a group whose file type is "ASCII", "CSV" or "TK70 (DOS)"; the
// type decides the header and line layout.  The flush counter lives as long as the
// object: it counts values across the files a run opens.
std::unique_ptr<GroupOutput> makeTextGroupOutput(const QString &fileType);

}  // namespace tk70
