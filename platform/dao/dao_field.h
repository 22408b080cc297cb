// A field of a table definition: its name, type and (for text) size, and how each type
// is declared in the database.
#pragma once

#include <QString>

namespace tk70 {

enum class DaoFieldType { DateTime, Single, Double, Integer, Boolean, Text };

struct DaoField {
    QString name;
    DaoFieldType type = DaoFieldType::Double;
    int size = 0;  // characters of a text field

    // The column definition: the quoted name and the declared type.
    QString columnDefinition() const;
};

// A name quoted as an identifier, so that any text (blanks, '/', quotes) can name a
// table or a column.
QString quotedName(const QString &name);

}  // namespace tk70
