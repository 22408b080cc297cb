// The text of the settings file: reading it into a RegDocument, and writing one out.
//
//   ; comment (a line starting with ';' or '#'); blank lines are ignored
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Kestrane\Ciu Driver]
//   "RxTimeout"=dword:00001388
//   "LogFileName"=multi_sz:"TK70Pro.LOG\0"
//   "ComDevice"=sz:"/dev/ttyUSB0\0"
//
// A section line names a key; each value line below it holds one value: its quoted name,
// '=', the type (dword, sz or multi_sz), ':' and the data, 1 to 8 hex digits for a dword
// or a quoted literal (reg_literal.h) giving an sz or multi_sz value's bytes exactly.
// Spaces around '=' and after ':' are allowed, as are CRLF line ends and a UTF-8 BOM.
// Anything else is an error that names its line.
#pragma once

#include "platform/registry/reg_document.h"

#include <QByteArrayView>

namespace tk70::reg {

struct ParseResult {
    RegDocument document;
    int errorLine = 0;  // 1-based; 0 when the text was read
    QString error;
    bool ok() const { return error.isEmpty(); }
};

ParseResult parseText(QByteArrayView text);
QByteArray formatText(const RegDocument &document);

}  // namespace tk70::reg
