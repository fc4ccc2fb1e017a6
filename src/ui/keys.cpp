#include "ui/keys.h"

namespace ardentix::ui {

namespace {

struct Letter {
    El element;
    char letter;
};

// The underlined letters: of the action bar (each its key too) and of the menus' items, unique
// within each menu. Alt with a letter of the menu bar opens its menu: F and H stay free here.
constexpr Letter kLetters[] = {
    {El::CPRBUTTON, 'C'},
    {El::PulseButton, 'P'},
    {El::ABCsButton, 'A'},
    {El::BPBUTTON, 'B'},
    {El::VOICEBUTTON, 'V'},
    {El::CALLHELPButton, 'N'},
    {El::TROUBLEShootBUTTON, 'T'},
    {El::CLEARBUTTON, 'L'},
    {El::ENDBUTTON, 'E'},
    {El::AllABCsmenuItem, 'A'},
    {El::ABCsResponsivenessMenuItem, 'R'},
    {El::ABCsCALL911MenuItem, 'P'},
    {El::ABCsAirwayMenuItem, 'O'},
    {El::ABCsBreathingMenuItem, 'B'},
    {El::ABCsVentilationMenuItem, 'S'},
    {El::ABCsCirculationMenuItem, 'C'},
    {El::TroubleElectrodeMenuItem, 'E'},
    {El::TroubleMOTIONMenuItem, 'M'},
    {El::TroubleBatteryMenuItem, 'B'},
    {El::Pause, 'P'},
    {El::SHOWBORDERMenuItem, 'B'},
    {El::Quit, 'Q'},
    {El::Advice, 'A'},
    {El::PatientHistory, 'P'},
    {El::HINTSHOW, 'S'},
    {El::ArdentixHelp, 'H'},
    {El::AboutArdentix1, 'B'},
};

}  // namespace

const std::vector<ControlKey>& ScenarioKeys() {
    static const std::vector<ControlKey> keys = [] {
        std::vector<ControlKey> list;
        for (const Letter& l : kLetters) {
            // The action bar's letters are keys of their own; the menus' only inside the menu.
            if (l.element == El::AllABCsmenuItem) break;
            list.push_back({l.element, static_cast<Qt::Key>(l.letter)});
        }
        list.push_back({El::PowerButton, Qt::Key_1, El::POWERBUTTON2});
        list.push_back({El::AnalyzeButton, Qt::Key_2});
        list.push_back({El::ShockButton, Qt::Key_3});
        list.push_back({El::CHILDKEY, Qt::Key_K});
        list.push_back({El::PADWHITE, Qt::Key_W});
        list.push_back({El::PADRED, Qt::Key_R});
        return list;
    }();
    return keys;
}

QChar MenuLetter(El element) {
    for (const Letter& l : kLetters) {
        if (l.element == element) return QLatin1Char(l.letter);
    }
    return {};
}

QKeySequence MenuShortcut(El element) {
    switch (element) {
        case El::Pause:
            return QKeySequence(Qt::CTRL | Qt::Key_P);
        case El::Quit:
            return QKeySequence(Qt::CTRL | Qt::Key_Q);
        case El::Advice:
            return QKeySequence(Qt::CTRL | Qt::Key_D);
        case El::PatientHistory:
            return QKeySequence(Qt::CTRL | Qt::Key_H);
        default:
            return {};
    }
}

QString KeyName(El element) {
    for (const ControlKey& k : ScenarioKeys()) {
        if (k.element == element || k.alternative == element)
            return QKeySequence(k.key).toString(QKeySequence::NativeText);
    }
    return MenuShortcut(element).toString(QKeySequence::NativeText);
}

QString WithMnemonic(El element, const QString& caption) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    const QChar letter = MenuLetter(element);
    if (letter.isNull()) return text;
    // The letter where a word begins, else the first one.
    qsizetype at = -1;
    for (qsizetype i = 0; i < text.size() && at < 0; ++i) {
        if (text[i].toUpper() == letter && (i == 0 || text[i - 1] == QLatin1Char(' '))) at = i;
    }
    if (at < 0) at = text.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0) text.insert(at, QLatin1Char('&'));
    return text;
}

QString WithKey(El element, const QString& hint) {
    const QString key = KeyName(element);
    return key.isEmpty() ? hint : hint + QStringLiteral(" (") + key + QLatin1Char(')');
}

}  // namespace ardentix::ui
