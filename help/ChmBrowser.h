// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTextBrowser>
#include <memory>

class ChmFile;

// A text browser that reads its pages, stylesheets and images out of a compiled help file.
// Pages are addressed as "chm:/path/page.html"; relative links and image sources resolve
// against the page that holds them, as in any browser.
class ChmBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    static constexpr QLatin1String scheme{"chm"};

    explicit ChmBrowser(QWidget *parent = nullptr);
    ~ChmBrowser() override;

    // Shows the page at a path inside the file (with or without the leading "/").
    void showPage(const QString &path);
    // Replaces the file the pages come from; with nullptr the browser serves nothing. The caller
    // shows the new file's first page and then clears the history.
    void setHelpFile(std::shared_ptr<const ChmFile> file);

    static QUrl pageUrl(const QString &path);

    // The pixels a page may draw in all its pictures together. A help page shows a few
    // screenshots; a damaged file could name one picture of thousands of pixels square under
    // many names, and decoding them all would hold the window for seconds and take gigabytes.
    // Pictures beyond this are left out.
    static constexpr qint64 maxPixelsPerPage = 16 * 1024 * 1024;

    QVariant loadResource(int type, const QUrl &name) override;

private:
    QVariant picture(const QByteArray &data);

    std::shared_ptr<const ChmFile> m_file;
    qint64 m_pixelsLeft = maxPixelsPerPage;
};
