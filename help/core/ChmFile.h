// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "help/core/ChmDirectory.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct chmFile;

// A compiled HTML help file opened for reading. Objects are addressed by their path inside the
// file, with a leading "/" ("/index.html"); look-ups ignore case, as the format does. A missing
// or damaged file simply gives an object that is not open: nothing here throws, aborts, waits or
// loops, whatever the file's bytes. Only a regular file is read (a FIFO in its place is not
// waited on), its directory is read and checked by ChmDirectory, and chmlib only opens a file
// that passed and reads the bytes of objects found there.
class ChmFile
{
public:
    explicit ChmFile(const QString &fileName);
    ~ChmFile();
    ChmFile(const ChmFile &) = delete;
    ChmFile &operator=(const ChmFile &) = delete;

    bool isOpen() const { return m_chm != nullptr; }

    // The bytes of one object, or nothing when the file holds no such object or it cannot be
    // read completely.
    std::optional<QByteArray> object(const QString &path) const;
    bool contains(const QString &path) const;

    // Every page (.htm, .html) in the file, sorted by path.
    QStringList pages() const;

    // The page the file opens at: the default topic recorded by the help compiler when the file
    // holds it, otherwise a usual start page (index, default), otherwise its first page. Empty
    // when the file has no page at all.
    QString defaultTopic() const;

    // The title recorded by the help compiler, empty when there is none.
    QString title() const;

    // An object path with its leading "/".
    static QString normalizedPath(const QString &path);

private:
    const ChmDirectory::Entry *resolve(const QString &path) const;
    QByteArray systemRecord(quint16 code) const;

    std::optional<ChmDirectory> m_directory;
    chmFile *m_chm = nullptr;
};
