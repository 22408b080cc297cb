// The error a database operation raises: an error code and the engine's description.
// Code 0 means the engine itself could not be reached (its driver is missing), with no
// description.
#pragma once

#include <QString>
#include <exception>

namespace tk70 {

inline constexpr int kDaoErrorNoEngine = 0;

class DaoException : public std::exception {
public:
    DaoException(int code, QString description);

    int code() const { return m_code; }
    // The engine's own text; empty when there is no error information.
    const QString &description() const { return m_description; }
    bool hasErrorInfo() const { return m_code != kDaoErrorNoEngine; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_code;
    QString m_description;
    QByteArray m_what;
};

}  // namespace tk70
