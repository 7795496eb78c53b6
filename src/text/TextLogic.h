#pragma once
// Rules of the text window that need no window.
#include <QList>
#include <QStringList>
#include <QUrl>

// The font sizes offered in the size box: "6" to "72".
QStringList fontSizeItems();

// The lines of the editor's plain text, each placed on the surface as one line. Lines end at
// a line feed, a carriage return (alone or before a line feed) or a Unicode line or paragraph
// separator; every other character, blanks and tabs included, belongs to its line.
QStringList editorLines(const QString& plain);

// A web address found in a line of text: where it starts and how long it is.
struct LinkRange {
    int start = 0;
    int length = 0;
    bool operator==(const LinkRange&) const = default;
};

// The web addresses of one line, as a rich-text control recognises them: a scheme such as
// http:, https:, ftp:, mailto: or file: followed by what is no blank, or an address that
// begins "www.". Punctuation that ends a sentence after an address is not part of it.
QList<LinkRange> findLinks(const QString& line);

// The address a recognised link's text names: an address without a scheme is a web page's.
QUrl linkUrl(const QString& linkText);
