// Column definitions of the field types.
#include "platform/dao/dao_field.h"

namespace tk70 {
namespace {

// Declared types chosen for their SQLite affinity: the date/time text keeps its form,
// both floating types are stored as REAL, the small integers and flags as INTEGER.
QString declaredType(DaoFieldType type, int size)
{
    switch (type) {
    case DaoFieldType::DateTime: return QStringLiteral("DATETIME");
    case DaoFieldType::Single: return QStringLiteral("FLOAT");
    case DaoFieldType::Double: return QStringLiteral("DOUBLE");
    case DaoFieldType::Integer: return QStringLiteral("SMALLINT");
    case DaoFieldType::Boolean: return QStringLiteral("BOOLEAN");
    case DaoFieldType::Text: return QStringLiteral("VARCHAR(%1)").arg(size);
    }
    return QString();
}

}  // namespace

QString quotedName(const QString &name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString DaoField::columnDefinition() const { return quotedName(name) + QLatin1Char(' ') + declaredType(type, size); }

}  // namespace tk70
