// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/ChmBrowser.h"

#include "help/core/ChmFile.h"
#include "help/core/HtmlText.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QImageReader>
#include <QTextDocument>

ChmBrowser::ChmBrowser(QWidget *parent) : QTextBrowser(parent)
{
    // Links within the help file are followed here; any other (a web address, mail) goes to
    // the desktop's own program for it.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == scheme)
            setSource(url);
        else
            QDesktopServices::openUrl(url);
    });
}

ChmBrowser::~ChmBrowser() = default;

QUrl ChmBrowser::pageUrl(const QString &path)
{
    QUrl url;
    url.setScheme(scheme);
    url.setPath(ChmFile::normalizedPath(path));
    return url;
}

void ChmBrowser::setHelpFile(std::shared_ptr<const ChmFile> file)
{
    m_file = std::move(file);
}

void ChmBrowser::showPage(const QString &path)
{
    setSource(pageUrl(path), QTextDocument::HtmlResource);
}

QVariant ChmBrowser::loadResource(int type, const QUrl &name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != scheme)
        return QTextBrowser::loadResource(type, url);

    const std::optional<QByteArray> data = m_file ? m_file->object(url.path()) : std::nullopt;
    if (type == QTextDocument::HtmlResource) {
        m_pixelsLeft = maxPixelsPerPage;
        if (!data) {
            return QStringLiteral("<html><body><h3>ページが見つかりません</h3>"
                                  "<p>ヘルプファイルの中に「%1」というページはありません。</p>"
                                  "</body></html>")
                .arg(url.path().toHtmlEscaped());
        }
        return pageForDisplay(*data, url.path());
    }
    if (!data)
        return {};
    if (type == QTextDocument::ImageResource)
        return picture(*data);
    return *data;
}

QVariant ChmBrowser::picture(const QByteArray &data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The size from the picture's header, before anything is decoded (when the format tells it).
    const QSize announced = reader.size();
    if (announced.isValid() && qint64(announced.width()) * announced.height() > m_pixelsLeft)
        return {};
    const QImage image = reader.read();
    const qint64 pixels = qint64(image.width()) * image.height();
    if (image.isNull() || pixels > m_pixelsLeft)
        return {};
    m_pixelsLeft -= pixels;
    return image;
}
