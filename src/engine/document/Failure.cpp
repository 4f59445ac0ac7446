#include "engine/document/Operations.h"

namespace PDFEngine {

Failure::Failure(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

} // namespace PDFEngine
