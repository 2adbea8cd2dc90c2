#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A page turned into one script: its literal HTML goes into numbered blocks
// written by Response.WriteHTML(k), "<%= e %>" becomes Response.Write(e),
// "<% s %>" stays as statements. Keeps, for each line of the script, the
// line of the page it came from, so errors can name the page's line.
class CPageScript
{
public:
    explicit CPageScript(const QString& pageText);

    const QString& Script() const { return m_script; }
    const QStringList& Blocks() const { return m_blocks; }
    // The same, UTF-8, as the page's output takes them.
    const QList<QByteArray>& BlocksUtf8() const { return m_blocksUtf8; }
    // 1-based page line of a 1-based script line; 0 when out of range.
    int PageLine(int scriptLine) const;

private:
    void StoreBlock(QString& block);
    void AppendScript(QChar c);
    void AppendScript(const QString& text);

    QString m_script;
    QStringList m_blocks;
    QList<QByteArray> m_blocksUtf8;
    QList<int> m_pageLines;   // by script line - 1
    int m_pageLine = 1;
};
