#pragma once

#include "engine/document/Operations.h"
#include "engine/document/OutputTransaction.h"

#include <QFileInfo>
#include <type_traits>

// Runs one operation as a job does, staged for folder then put in place; returns what it returns.
template <typename Operation>
auto placed(const QString& folder, Operation operation)
{
    PDFEngine::OutputTransaction outputs(folder, false, {});
    if constexpr (std::is_void_v<std::invoke_result_t<Operation, PDFEngine::OutputTransaction&>>) {
        operation(outputs);
        PDFEngine::commit(outputs.release());
    } else {
        auto result = operation(outputs);
        PDFEngine::commit(outputs.release());
        return result;
    }
}

// The folder an output at path goes into.
inline QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// The message of the Failure that call throws; empty when it returns normally.
template <typename Call>
QString failureOf(Call&& call)
{
    try {
        call();
    } catch (const PDFEngine::Failure& failure) {
        return failure.message();
    }
    return {};
}
