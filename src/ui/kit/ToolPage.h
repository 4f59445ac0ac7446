#pragma once

#include "core/Banner.h"
#include "core/PageInfo.h"

#include <QWidget>
#include <optional>

class BannerView;
class QMimeData;
class PageHeader;
class QHBoxLayout;
class QVBoxLayout;

// The frame of a tool's page: header, banner, content and footer bar; files dropped anywhere on it
// go to its tool.
class ToolPage : public QWidget {
    Q_OBJECT
public:
    // A widget with this property set takes the files dropped on it itself (at a place of its
    // own); the page leaves those drags to it.
    static constexpr const char* takesOwnDrops = "takesOwnDrops";

    explicit ToolPage(const PageInfo& page, QWidget* parent = nullptr);

    // The local files a drag carries.
    static QStringList localFiles(const QMimeData* mime);

    // The key of its tool.
    const QString& key() const { return m_key; }
    PageHeader* header() const { return m_header; }
    // The header's accessory (none for nullptr); the page takes ownership.
    void setTrailing(QWidget* trailing);
    // The page's main area, filling the space between header and footer.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }
    // The footer bar's row (spacing 12, callout text): screens fill it.
    QHBoxLayout* footer() const { return m_footer; }
    QWidget* footerBar() const { return m_footerBar; }

    // Shows `banner`, or removes the banner for nullopt.
    void setBanner(const std::optional<Banner>& banner);
    // The banner lies over the top of the content instead of taking its height, for content
    // that would be laid out afresh at another height (a page being signed).
    void setBannerOverContent(bool over);
    BannerView* bannerView() const { return m_banner; }

    // Tab goes through the page's controls in the order they are laid out, whatever order they
    // were made in (rows, cards and banners come and go).
    void setTabOrderFollowsLayout(bool follows) { m_tabFollowsLayout = follows; }

signals:
    void filesDropped(const QStringList& paths);
    void bannerDismissed();
    void revealRequested(const QStringList& outputs);
    void openRequested(const QString& output);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool handleDrag(QEvent* event);
    void placeBanner();
    // The banner ends where the content does: short of a vertical scroll bar along the page's
    // right edge while one shows.
    void alignBanner();
    void alignBannerLater();
    void setTargeted(bool targeted);

    QString m_key;
    PageHeader* m_header;
    QVBoxLayout* m_bannerSlot;
    QVBoxLayout* m_contentSlot;
    QWidget* m_content = nullptr;
    QWidget* m_footerBar;
    QHBoxLayout* m_footer;
    BannerView* m_banner = nullptr;
    bool m_bannerOver = false;
    QWidget* m_outline;
    bool m_targeted = false;
    bool m_aligning = false;
    bool m_tabFollowsLayout = false;
};
