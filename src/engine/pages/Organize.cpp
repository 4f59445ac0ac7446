#include "engine/document/Operations.h"

#include <QCoreApplication>

namespace PDFEngine {

void organize(const OrganizeJob& /*job*/, OutputTransaction& /*outputs*/, const Share& /*share*/)
{
    throw Failure(QStringLiteral("organize: not built yet"));
}

} // namespace PDFEngine
