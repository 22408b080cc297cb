// The database error with its code and description.
#include "platform/dao/dao_exception.h"

namespace tk70 {

DaoException::DaoException(int code, QString description)
    : m_code(code), m_description(std::move(description)), m_what(m_description.toUtf8())
{
}

}  // namespace tk70
