// Table creation from a definition.
#include "platform/dao/dao_table_def.h"

#include "platform/dao/dao_database.h"

#include <QStringList>

namespace tk70 {

DaoTableDef::DaoTableDef(DaoDatabase &database, QString name) : m_database(database), m_name(std::move(name)) {}

void DaoTableDef::createField(const QString &name, DaoFieldType type, int size)
{
    m_fields.push_back({name, type, size});
}

void DaoTableDef::append()
{
    QStringList columns;
    for (const DaoField &field : m_fields)
        columns << field.columnDefinition();
    m_database.execute(
        QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(m_name), columns.join(QLatin1String(", "))));
}

}  // namespace tk70
