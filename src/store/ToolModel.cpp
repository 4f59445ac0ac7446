#include "store/ToolModel.h"

#include "engine/include/PDFEngine.h"
#include "store/Store.h"
#include "store/ToolRun.h"

ToolModel::ToolModel(Store& store) : QObject(&store), m_store(store)
{
    store.adopt(*this);
}

void ToolModel::apply(const QList<PDFFile>& inputs, const PDFEngine::Outcome& outcome)
{
    m_store.finishRun(*this, inputs, outcome.outputs, ToolRun::readyText(outcome.outputs));
}
