#include "settings/settingsaccessibility.h"

#include "settings/modepage.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "settings/showoptions.h"
#include "settings/weboptions.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

const char *const PageTabProperty = "tivrelPageTab";

// A colour picker's drop-down, named by its label (a combo box's name on this platform is
// otherwise its current entry: the colour), its colour being its value.
class ColourBoxAccessible : public QAccessibleWidget {
public:
    explicit ColourBoxAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        if (t == QAccessible::Name)
            return box()->accessibleName();
        return QAccessibleWidget::text(t);
    }
    // The list that drops down, as the platform's combo box has it.
    int childCount() const override { return list() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && list() ? QAccessible::queryAccessibleInterface(list()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && list() && child->object() == list() ? 0 : -1;
    }
    QStringList actionNames() const override { return {showMenuAction()}; }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction())
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QWidget *list() const { return box()->view() ? box()->view()->parentWidget() : nullptr; }
};

// A button that switches the panel's page: a page tab, selected while its page shows.
class PageTabAccessible : public QAccessibleWidget {
public:
    explicit PageTabAccessible(QPushButton *button)
        : QAccessibleWidget(button, QAccessible::PageTab)
    {
    }
    QPushButton *button() const { return static_cast<QPushButton *>(widget()); }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            QString name = widget()->accessibleName();
            if (name.isEmpty()) {
                name = button()->text();
                name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
                name.remove(QLatin1Char('&'));
                name.replace(QStringLiteral("\x01"), QStringLiteral("&"));
            }
            return name;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = true;
        s.selected = button()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            button()->click();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }
};

QAccessibleInterface *settingsAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("QComboBox") && qobject_cast<ColourPicker *>(object->parent()))
        return new ColourBoxAccessible(static_cast<QComboBox *>(object));
    if (className == QLatin1String("QPushButton") && object->property(PageTabProperty).toBool())
        return new PageTabAccessible(static_cast<QPushButton *>(object));
    return nullptr;
}

// Name (empty where a caption gives it) and description, German and English.
struct AccessibleText {
    const char *nameDe;
    const char *nameEn;
    const char *descriptionDe;
    const char *descriptionEn;
};

void describe(QWidget *control, const AccessibleText &text, bool german)
{
    // A colour picker is heard through its drop-down list, which takes its focus; other
    // controls (spin boxes with their inner text field included) speak for themselves.
    QWidget *target = qobject_cast<ColourPicker *>(control) ? control->focusProxy() : control;
    const char *name = german ? text.nameDe : text.nameEn;
    if (*name)
        target->setAccessibleName(QString::fromUtf8(name));
    target->setAccessibleDescription(
        QString::fromUtf8(german ? text.descriptionDe : text.descriptionEn));
}

// A file field: its text field and its browse button.
void describeFile(FileField *field, const char *nameDe, const char *nameEn, bool german)
{
    const QString name = QString::fromUtf8(german ? nameDe : nameEn);
    field->lineEdit()->setAccessibleName(name);
    field->lineEdit()->setAccessibleDescription(
        german ? QStringLiteral("Dateiname, relativ zum Ordner der Dateien")
               : QStringLiteral("File name, relative to the files folder"));
    field->button()->setAccessibleName(german ? name + QStringLiteral(" suchen")
                                              : QStringLiteral("Browse for ") + name.toLower());
    field->button()->setAccessibleDescription(german ? QStringLiteral("Öffnet die Dateiauswahl")
                                                     : QStringLiteral("Opens the file dialog"));
}
} // namespace

void installSettingsAccessible()
{
    static const bool installed = [] {
        QAccessible::installFactory(&settingsAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

namespace {
// An interface made for the widget before it was marked is dropped, so the next one asked
// for is the right one.
void forgetAccessible(QWidget *widget, QAccessible::Role wanted)
{
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(widget);
        made && made->role() != wanted)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
} // namespace

void markPageTab(QPushButton *button)
{
    installSettingsAccessible();
    button->setProperty(PageTabProperty, true);
    forgetAccessible(button, QAccessible::PageTab);
}

void applyAccessibleTexts(SettingsPanel &p, bool german)
{
    installSettingsAccessible();

    // Each control by its name, on whichever page it sits.
    struct Entry {
        const char *control;
        AccessibleText text;
    };
    const Entry controls[] = {
        {"btModus",
         {"", "", "Zeigt die Seite zur Wahl des Ziehungsmodus",
          "Shows the page for choosing the draw mode"}},
        {"btKonfig",
         {"", "", "Zeigt die Seite mit Zahlenbereich und Quote, im Lotteriemodus die Lotterieseite",
          "Shows the page with range and quota, in lottery mode the lottery page"}},
        {"btOptionen",
         {"", "", "Zeigt die Seite mit Sprache, Effekten, Klang und Farben",
          "Shows the page with language, effects, sound and colours"}},
        {"HilfeAktiv",
         {"", "", "Zeigt zu jeder Seite ihre Hilfe an", "Shows the help of each page"}},
        {"chkAutostop",
         {"", "", "Beendet eine manuelle Ziehung nach der eingestellten Zahl von Sekunden",
          "Ends a manual draw after the set number of seconds"}},
        {"Sekunden",
         {"Sekunden", "Seconds", "Sekunden zwischen zwei Ziehungen oder bis zum Autostop",
          "Seconds between two draws, or until the autostop"}},
        {"Uhrzeit",
         {"Uhrzeit", "Time of day", "Uhrzeit der nächsten Ziehung, Stunden und Minuten",
          "Time of the next draw, hours and minutes"}},
        {"Minimum", {"", "", "Kleinste Zahl des Bereichs", "Smallest number of the range"}},
        {"Maximum", {"", "", "Größte Zahl des Bereichs", "Largest number of the range"}},
        {"ZeigeNullen",
         {"", "", "Füllt gezogene Zahlen vorne mit Nullen auf",
          "Pads drawn numbers with leading zeros"}},
        {"AusDateiLaenge",
         {"", "", "Anzahl der Zeichen, die von einem Listeneintrag gezeigt werden",
          "Number of characters of a list entry that are shown"}},
        {"AusDatei",
         {"", "", "Zieht die Zeilen einer Listendatei statt Zahlen",
          "Draws the lines of a list file instead of numbers"}},
        {"Ziehungsquote",
         {"", "", "Wie viele Ziehungen ein Durchgang hat, in Prozent des Bereichs oder als Anzahl",
          "How many draws a pass has, in percent of the range or as a number"}},
        {"Ziehung_Prozent",
         {"Quote in Prozent", "Quota in percent",
          "Die Quote gilt in Prozent des Bereichs, sonst als Anzahl der Ziehungen",
          "The quota is a percentage of the range, otherwise a number of draws"}},
        {"ckAutopilot",
         {"", "", "Wechselt nach einer Anzahl von Ziehungen zur automatischen Ziehung",
          "Switches to timed drawing after a number of draws"}},
        {"AutopilotStart",
         {"Autopilot nach Ziehungen", "Autopilot after draws",
          "Anzahl der Ziehungen, nach denen der Autopilot übernimmt",
          "Number of draws after which the autopilot takes over"}},
        {"cbNachpruefbar",
         {"", "",
          "Legt vor der ersten Ziehung eine Festlegung fest und schreibt jede Ziehung in ein "
          "nachprüfbares Protokoll",
          "Commits to the draws before the first one and writes each draw to a journal anyone "
          "can check"}},
        {"edPublikumswort",
         {"", "", "Ein Wort aus dem Publikum, das in den Startwert des nächsten Abschnitts eingeht",
          "A word from the audience that joins the seed of the next segment"}},
        {"cbWinnings",
         {"", "", "Ordnet den Ziehungen die Gewinne aus einer Gewinnliste zu",
          "Attaches the prizes of a prize list to the draws"}},
        {"Lotto_n",
         {"", "", "Wie viele Zahlen je Spiel gezogen werden", "How many numbers each game draws"}},
        {"Lotto_x",
         {"", "", "Aus wie vielen Zahlen gezogen wird", "How many numbers there are to draw from"}},
        {"Lotto_Spiele", {"", "", "Wie viele Spiele gezogen werden", "How many games are drawn"}},
        {"Lotto_Pool",
         {"", "", "Auf wie viele Spiele ein Zahlenpool verteilt wird",
          "Over how many games one pool of numbers is spread"}},
        {"HilfeLng", {"", "", "Sprache der Oberfläche", "Language of the user interface"}},
        {"cbNumberEffect",
         {"", "", "Zeigt während der Ziehung wechselnde Zahlen",
          "Shows changing numbers while drawing"}},
        {"cbFarbenregen",
         {"", "", "Zeigt während der Ziehung wechselnde Farben",
          "Shows changing colours while drawing"}},
        {"cbSound",
         {"", "", "Spielt während der Ziehung einen Klang", "Plays a sound while drawing"}},
        {"cbSchleife",
         {"", "", "Spielt den Klang bis zum Ende der Ziehung",
          "Plays the sound until the draw ends"}},
        {"cbHintergrund",
         {"", "", "Zeigt ein Bild hinter der Zahl", "Shows a picture behind the number"}},
        {"cbHintergrundAnimiert",
         {"", "", "Dreht das Hintergrundbild während der Ziehung",
          "Turns the background picture while drawing"}},
        {"cpVordergrund",
         {"Vordergrundfarbe", "Foreground colour", "Farbe der gezogenen Zahl",
          "Colour of the drawn number"}},
        {"cpHintergrund",
         {"Hintergrundfarbe", "Background colour", "Farbe hinter der gezogenen Zahl",
          "Colour behind the drawn number"}},
        {"cbListeAus",
         {"", "", "Blendet die Ergebnisliste aus, die Anzeige füllt das Fenster",
          "Hides the results list; the display fills the window"}},
        {"cbMaximiert",
         {"", "", "Startet das Programm mit maximiertem Fenster",
          "Starts the program with a maximised window"}},
        {"cbPublikum",
         {"", "", "Zeigt die Ziehung allein auf einem zweiten Bildschirm (F11, Esc)",
          "Shows the draw alone on a second screen (F11, Esc)"}},
        {"cbBildschirm",
         {"Bildschirm des Publikumsfensters", "Screen of the audience window",
          "Auf welchem Bildschirm das Publikum die Ziehung sieht",
          "The screen on which the audience sees the draw"}},
        {"cbSanft",
         {"", "", "Ruhige Farben ohne Blitzen, die Zahl kontrastreich",
          "Calm colours without flashing, the number in high contrast"}},
        {"cbAnsagen",
         {"", "", "Liest jedes gezogene Los und seinen Gewinn vor",
          "Reads out each drawn entry and its prize"}},
        {"cbWeb",
         {"", "", "Zeigt die Ziehungen dieser Runde auf einer Seite im lokalen Netz (F9: QR-Code)",
          "Shows this pass's draws on a page on the local network (F9: QR code)"}},
        {"sbWebPort",
         {"Port der Ergebnisseite", "Port of the results page",
          "Ist er belegt, nimmt die Seite den nächsten freien",
          "When it is taken, the page takes the next free one"}},
        {"cbWebAdresse",
         {"Adresse der Ergebnisseite", "Address of the results page",
          "Auf welcher Adresse des Rechners die Seite erreichbar ist",
          "On which of the machine's addresses the page can be reached"}},
        {"cbWebEcke",
         {"", "",
          "Solange keine Ziehung läuft, steht der QR-Code klein unten rechts auf der Anzeige",
          "While no draw runs, the QR code stays small at the bottom right of the display"}},
        {"BTDrucken",
         {"", "", "Druckt die Ergebnisliste auf dem Standarddrucker",
          "Prints the results on the default printer"}},
        {"BTHTML",
         {"", "", "Speichert die Ergebnisliste als HTML und zeigt sie im Browser",
          "Saves the results as HTML and shows them in the browser"}},
        {"BTCSV",
         {"", "", "Speichert die Ergebnisliste als CSV-Datei und öffnet sie",
          "Saves the results as a CSV file and opens it"}},
        {"BTTxT",
         {"", "", "Hängt die Ergebnisliste an die Textdatei an und öffnet sie",
          "Appends the results to the text file and opens it"}},
        {"Reset_Ziehung",
         {"", "", "Löscht den aktuellen Durchgang und beginnt einen neuen",
          "Deletes the current pass and starts a new one"}},
        {"BTEinstellungenSchliessen",
         {"", "", "Übernimmt die Einstellungen und schließt das Einstellungsfeld",
          "Applies the settings and closes the settings panel"}},
        {"btPoolFindings",
         {"Befunde zur Liste", "Findings on the list",
          "Zeigt alle Befunde zur Ziehungsliste: leere und mehrfache Einträge, übersprungene "
          "Zeilen",
          "Shows every finding on the draw list: blank and repeated entries, skipped rows"}},
    };
    const auto control = [&p](const char *name) {
        QWidget *found = p.findChild<QWidget *>(QString::fromLatin1(name));
        Q_ASSERT_X(found, "applyAccessibleTexts", name);
        return found;
    };
    for (const auto &[name, text] : controls)
        describe(control(name), text, german);

    static const AccessibleText modes[] = {
        {"", "", "Jede Ziehung wird von Hand gestartet und gestoppt",
         "Each draw is started and stopped by hand"},
        {"", "", "Zieht automatisch alle paar Sekunden", "Draws automatically every few seconds"},
        {"", "", "Kündigt die Uhrzeit der nächsten Ziehung an",
         "Announces the time of day of the next draw"},
        {"", "", "Zählt bis zur nächsten Ziehung herunter", "Counts down to the next draw"},
        {"", "", "Zieht Lottotipps: n Zahlen aus x für mehrere Spiele",
         "Draws lottery tickets: n numbers out of x for several games"},
    };
    const QList<QWidget *> modeButtons = p.modePage().modeButtons();
    for (int i = 0; i < modeButtons.size() && i < int(std::size(modes)); ++i)
        describe(modeButtons.at(i), modes[i], german);

    const auto file = [&p](const char *name) {
        return p.findChild<FileField *>(QString::fromLatin1(name));
    };
    describeFile(file("AusDateiPfad"), "Listendatei", "List file", german);
    describeFile(file("edWinnings"), "Gewinnlisten-Datei", "Prize list file", german);
    describeFile(file("edSoundfile"), "Klangdatei", "Sound file", german);
    describeFile(file("edHintergrundbild"), "Bilddatei", "Picture file", german);
}
