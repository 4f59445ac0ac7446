#pragma once

#include <memory>

// The end of what a job read and built (see PDFEngine::keepDocumentsUntilExit).
namespace PDFEngine {

// Frees object now, or keeps it for good in a process that ends with its job.
void retire(std::shared_ptr<void> object);

template <typename T>
void retire(std::unique_ptr<T> object)
{
    retire(std::shared_ptr<void>(std::move(object)));
}

} // namespace PDFEngine
