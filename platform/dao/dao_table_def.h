// A table definition: fields are created on it and it is appended to its database,
// which creates the table.
#pragma once

#include "platform/dao/dao_field.h"

#include <vector>

namespace tk70 {

class DaoDatabase;

class DaoTableDef {
public:
    DaoTableDef(DaoDatabase &database, QString name);

    void createField(const QString &name, DaoFieldType type, int size = 0);
    // Creates the table with its fields; DaoException when the engine refuses (a
    // table of that name exists, two fields share a name).
    void append();

    const QString &name() const { return m_name; }
    const std::vector<DaoField> &fields() const { return m_fields; }

private:
    DaoDatabase &m_database;
    QString m_name;
    std::vector<DaoField> m_fields;
};

}  // namespace tk70
