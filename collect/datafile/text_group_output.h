// The group output of the text file types: claims the data file (a file another
// collector writes is refused untouched), opens it with the overwrite question and the
// open failure message, and writes the header block and sample lines in the layout of
// the group's file type.
#pragma once

#include "collect/datafile/data_file.h"
#include "collect/datafile/group_output.h"
#include "collect/datafile/text_layout.h"

#include <memory>

namespace tk70 {

class TextGroupOutput final : public GroupOutput {
public:
    explicit TextGroupOutput(std::unique_ptr<TextLayout> layout);

    // Asks before replacing an existing file unless appending or told to overwrite or
    // retrying; shows the open failure message unless retrying.
    OpenResult open(const QString &path, bool append, OverwritePolicy policy) override;
    bool isOpen() const override { return m_file.isOpen(); }
    // Nothing is written while the output is closed (and false is returned).
    bool writeHeader(const HeaderFacts &facts, const std::vector<DataColumn> &columns) override;
    void writeSample(const QDateTime &stamp, const std::vector<DataColumn> &columns,
                     const PointReadings &readings) override;
    void close() override { m_file.close(); }
    SampleCounts counts() const override { return m_counts; }
    Message overwriteQuestion(const QString &path) const override;

private:
    // The file claimed for this output; Failed after the message (unless retrying).
    OpenResult::Outcome claim(const QString &path, OutputLock &lock);
    void reportOpenFailure() const;

    std::unique_ptr<TextLayout> m_layout;
    DataFile m_file;
    QString m_path;                // the file opened last, for its messages
    bool m_reportFailures = true;  // clear while an open is retried
    bool m_writeFailureShown = false;
    SampleCounts m_counts;
};

}  // namespace tk70
