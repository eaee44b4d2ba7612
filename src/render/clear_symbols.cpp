#include "render/clear_symbols.h"

#include <QStringList>
#include <iterator>

namespace {
// Chosen from DejaVu Sans (shapes, arrows, dingbats, mathematical signs, blocks and ASCII signs,
// never a letter, a digit or a sign drawn as one): the simplest and most distinct shapes first,
// each one drawn at 32 pixels differing from every earlier one in more pixels than "l" and "1" do.
// One UTF-16 unit a symbol; the string's closing nul is not one.
constexpr char16_t kSymbols[] = u"■▲●◆★♥♣□△○◇♡▼▽✖⬤❤❥◖▸◂▀▾▇⬈⬊▃█◢▶"
                                u"◣◥◤▉◀▊❢☁▋❚⚑☛▜▟▙▛✘❰❱▍☂⧓▁┓┏⋄▚▞✕┳"
                                u"┻❙↖◘⇡✗↙┙✱⇂↼↽∕☻⏏☘↡┫✤┣⚒❳╋➲✿♞↲✣↷↶"
                                u"∹➭└◒◓◐◚∟◑☯↳↰⋋☔∠↸∗✈⚴◧➩☪❦☌⬒⎞⨘≠⇖↱"
                                u"╲∁⚵⌤⬓⚳⚏⊱⇙✪⊳⌠⟵⚘☭↮&➬↯♫≮➫↬⟿⚷➮≯♐◨⟲"
                                u"⇉⚲⥀♻⋇√⚗☡↻⟳≐∀⚮◙⇋⚩⇇∑↺⊍∓⊻⊼❉≤≥♜⇅⇵⊐"
                                u"⊓❇∆⋀⋁⌥⇊♁⧺⪯⎇⋔⋟⪰≽♒≼⨛⚨⋞⋜♿✰≛♂≪❡♆⋝☞"
                                u"☟⊂≫☝⪇✠∃≘⪞✂☿♘⪕$☧♺⇮✞♧⋩⪝♗⪈⋨⋂⪖⋃◉⚔⋤"
                                u"≚♬⚙⟫⊙⚦╪⪁⪃∦☷✬⟪⊵≇⨔∥↹✍❍╜⪂⪄⊴⇲☃⧏⧐⚟≗"
                                u"#∏⚞✌✾☩▓≸♃▻⚥⋕♨◅☢❀☣∋≷♱◺⊅⊊╔❆⋬♈❑⋢☍"
                                u"≩⋐≨✺⚓☎♅⪵◹⊆⪶⇶♎♼⨀◿⪍⊑◊⋑⚜☋♌⋺◸⟺⪜☈⪎⪮"
                                u"♑⚠⪉⋷╦╩⧻⏎♽∜⊬✏⫹☊⪹∈▣⪺✐♊∬☬⪊⪙▷⪷⪚⪸⋘◁"
                                u"≣%⚧⪳⋙⪴✄✟⟰⟱⊉⪏⋵⋒⚀⋓⋹♖⪐⋲⚢⟧⚛▯⧎♲✡⚣░❅"
                                u"@♛☖⛀♏☫♾✆⦃♋⚖⦄⌘⊡✙✵⋚⋛∅⟴⪟♔⚤♚⋽☸☤❂⊫☕"
                                u"⪠⋸⊮◯☠✉";
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
