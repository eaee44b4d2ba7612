#include "render/clear_symbols.h"

#include <QStringList>
#include <iterator>

namespace {
// Chosen from DejaVu Sans. Each symbol, its ink scaled to fill a 32 x 32 square whatever its size or
// place in the font, differs from every other in at least 4 % of the cells (the first hundred in
// 10 %), and no two are the same shape drawn heavier or lighter. Clearly different shapes come
// first, then digits and capitals that nobody mistakes for another (no 0, 1, I or O), then shapes
// with a mark inside, then the rest. One UTF-16 unit a symbol; the string's closing nul is not one.
constexpr char16_t kSymbols[] = u"■●▲◆★♥♣♠□○△◇☆♡♧♤▼▽◀▶◁▷✖✚✱☁☂♪⚑✈✂✔"
                                u"⌂◐◑◒◓◢◣◤◥▚▞↑↓←→⇑⇓⇐⇒☘☯☺✿⚓⚡☎✉⌘♞♜♛2"
                                u"3456789ACDEFGHJKLMNPQRTUVWXY⊙⊕⊗⊞"
                                u"⊠⊡◉▣◘◙⊛⊚⊜▤▥▦▧▨▩⊝◭◮☉☀✛♫⚐✘▙▛▜▟↖↗↘↙"
                                u"♝♚❀♨☃☠☢♻⚙✎✌☛☝☞☟⚘⚛☮☪☭✝✡☦♀♂⚢⚣⊘⊟≳≌≤"
                                u"⪞≆⫹∰≧⪙≣⪝≚⏨⍺⚤✐♶∝≩⌑♋⪁⋤⪔⪗⋽≉⚒#⪂⪓⪳⇘♬↹"
                                u"♍⪚➭⪰⌆⚖⊆♃⪘⪠⊮⊿⧒⋷♽∞⪜␢≮&≰⪵⊱❦↺↻♊⧻⪇⨌⌫∿"
                                u"⋑♅⟲≱⋢⛁⧎⪮⪸➲⋐≍%∡⋒☫⪍⊰☈✪⋓♑⚗⋸⥀↸⊋◧↯⌦≋≽"
                                u"⋫⟱⪉≞⋞◨⇲➷⇗⋹⟳↲➫⇱☡⏎⇶⊇⋔≪⇅♌♿⚭≸➶⋋⬒⬓≫≹♉"
                                u"☤∯✙✠⇆∷♖⪛≎☊⊵⋚↰≃╜☣✟❂*⋲⋺☍✞⪃≜⊼∩↷⋇☷↴⋾"
                                u"⚥⧺⪌↶≇⊅➮∌◹◺☿➪≏≠╩◿⚔⎇☋⊄⋩♔⪄♎✍❥◸✬⬃⊫⚞⛀"
                                u"➱♲⚱❅➬↱↵⚩⬁∋≾☬☸⋖⚟╦☧⊃⊬♏➽⋛⌧⍵╔╕⚜⪒⋴╧☩⫺"
                                u"❣⊻❨⇭∉⋗⪋⊴⍽✏➣⋏⋶⌥⚦⪑⚮⪱⬑∜↜⇵∑≘▒♾❧⪺⋠⋭⚍⧐"
                                u"⋪⋬⏏❡≁⚨≯⋟⌨┙";
} // namespace

QString clearSymbolsName() { return QStringLiteral("Símbolos claros"); }

bool isClearSymbols(const QString& fontName) { return fontName == clearSymbolsName(); }

int clearSymbolCount() { return int(std::size(kSymbols)) - 1; }

QString clearSymbol(int index)
{
    if (index < 0 || index >= clearSymbolCount())
        return QString();
    return QString(QChar(kSymbols[index]));
}

QString clearSymbolsFamily() { return QStringLiteral("DejaVu Sans"); }
