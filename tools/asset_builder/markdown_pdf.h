#pragma once

#include <QString>

namespace tarvel::tools {

// Lays out a UTF-8 Markdown file (GitHub dialect: headings, lists, tables, emphasis) on A4 pages with
// 20 mm margins and the page number in the footer, and writes them as a PDF file. The body font is
// Noto Sans CJK SC, which covers Latin and Chinese, so the same call serves every language of the guide.
// Needs a QGuiApplication; an offscreen one is enough. On failure returns false and, when `error` is
// given, says why (missing or unreadable input, empty document, file not writable).
bool renderMarkdownToPdf(const QString& markdownPath, const QString& pdfPath, QString* error);

} // namespace tarvel::tools
