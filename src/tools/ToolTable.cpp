#include "tools/ToolTable.h"

#include "store/Store.h"
#include "tools/compress/CompressTool.h"
#include "tools/merge/MergeTool.h"
#include "tools/ocr/OcrTool.h"
#include "tools/organize/OrganizeTool.h"
#include "tools/pages/PagesTool.h"
#include "tools/sign/SignTool.h"
#include "tools/split/SplitTool.h"
#include "ui/screens/CompressScreen.h"
#include "ui/screens/MergeScreen.h"
#include "ui/screens/OcrScreen.h"
#include "ui/screens/OrganizeScreen.h"
#include "ui/screens/PagesScreen.h"
#include "ui/screens/SplitScreen.h"
#include "ui/screens/sign/SignView.h"

#include <array>

namespace {

struct Row {
    ToolModel& (*model)(Store& store);
    QWidget* (*screen)(ToolModel& tool, Store& store, QWidget* parent);
};

template <class Model, class Screen>
constexpr Row row()
{
    return {[](Store& store) -> ToolModel& { return *new Model(store); },
            // None for another tool's model.
            [](ToolModel& tool, Store& store, QWidget* parent) -> QWidget* {
                auto* model = qobject_cast<Model*>(&tool);
                return model ? new Screen(*model, store, parent) : nullptr;
            }};
}

constexpr std::array rows = {
    row<MergeTool, MergeScreen>(),       row<SplitTool, SplitScreen>(),
    row<CompressTool, CompressScreen>(), row<SignTool, SignView>(),
    row<PagesTool, PagesScreen>(),       row<OrganizeTool, OrganizeScreen>(),
    row<OcrTool, OcrScreen>(),
};

} // namespace

namespace ToolTable {

void install(Store& store)
{
    for (const Row& each : rows) {
        each.model(store);
    }
}

QWidget* makeScreen(ToolModel& tool, Store& store, QWidget* parent)
{
    for (const Row& each : rows) {
        if (QWidget* screen = each.screen(tool, store, parent)) {
            return screen;
        }
    }
    return nullptr;
}

} // namespace ToolTable
