#include "ui/screens/OrganizeScreen.h"

#include "store/Store.h"
#include "tools/organize/OrganizeTool.h"
#include "ui/kit/DropZone.h"
#include "ui/kit/RunButton.h"
#include "ui/screens/ScreenBinding.h"

#include <QHBoxLayout>

OrganizeScreen::OrganizeScreen(OrganizeTool& tool, Store& store, QWidget* parent)
    : ToolPage(tool.page(), parent), m_tool(tool), m_store(store),
      m_drop(new DropZone(tool.symbol(), tr("PDF'i buraya bırak"),
                          tr("Sayfaları döndürür, sıralar, çoğaltır ya da silersin. Asıl dosya "
                             "değişmez."))),
      m_run(new RunButton(tool.key(), tr("Kaydet…")))
{
    setContent(m_drop);
    footer()->addStretch(1);
    m_run->addTo(*footer());
    connect(m_drop, &DropZone::chooseRequested, this, [this] { m_store.open(m_tool); });
    ScreenBinding::bindPage(*this, m_tool, store);
    ScreenBinding::bindRunButton(*m_run, m_tool, store);
}
