#include "localisation/controltexts.h"
#include "localisation/langcontroller.h"
#include "localisation/langmanager.h"
#include "support/testfolder.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QList<LangDataEntry> Entries = {
    {1, "Window", "Caption"},   {2, "Start", "Caption"}, {3, "Start", "Hint"},
    {4, "Note", "Caption"},     {5, "Fill", "Caption"},  {6, "Modes", "Caption"},
    {7, "Page", "Caption"},     {8, "Quiet", "Caption"}, {9, "Modes", "Items"},
    {10, "Missing", "Caption"},
};

template <typename T> T *named(QWidget *parent, const char *name, const QString &text)
{
    auto *widget = new T(text, parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

// Captions and hints of ordinary controls bind themselves by the controls' names.
class TestControlTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void captionsAndHintsFollowTheLanguage()
    {
        TestFolder folder;
        folder.write(u"en.lng"_s, "LANGID=2057\n[Window]\n1=Draw\n2=&Go\n3=Starts a draw\n"
                                  "4=Note\n5=Fill Zeros\n6=Action\n7=Page\n8=&Quiet\n");
        TLanguageManager manager(u":/LANG_CONSTS"_s);
        manager.SetSourceLanguage(LangIdGerman);
        manager.AddLanguageFile(folder.file(u"en.lng"_s), LangIdEnglishUK);

        QMainWindow window;
        window.setWindowTitle(u"Ziehung"_s);
        auto *central = new QWidget(&window);
        window.setCentralWidget(central);
        QPushButton *start = named<QPushButton>(central, "Start", u"&Los"_s);
        start->setToolTip(u"Startet eine Ziehung"_s);
        QLabel *note = named<QLabel>(central, "Note", u"Hinweis"_s);
        QCheckBox *fill = named<QCheckBox>(central, "Fill", u"Nullen füllen"_s);
        QGroupBox *modes = named<QGroupBox>(central, "Modes", u"Aktion"_s);
        auto *page = new QWidget(central);
        page->setObjectName(u"Page"_s);
        page->setWindowTitle(u"Seite"_s);
        QAction *quiet = window.addAction(u"&Ruhe"_s);
        quiet->setObjectName(u"Quiet"_s);

        TLanguageController controller(u"Window"_s, Entries, manager);
        QCOMPARE(bindControlTexts(controller, &window, u"Window"_s), (QList<qint32>{9, 10}));
        controller.loaded();

        QVERIFY(manager.ActivateLanguage(LangIdEnglishUK).changed);
        QCOMPARE(window.windowTitle(), u"Draw"_s);
        QCOMPARE(start->text(), u"&Go"_s);
        QCOMPARE(start->toolTip(), u"Starts a draw"_s);
        QCOMPARE(note->text(), u"Note"_s);
        QCOMPARE(fill->text(), u"Fill Zeros"_s);
        QCOMPARE(modes->title(), u"Action"_s);
        QCOMPARE(page->windowTitle(), u"Page"_s);
        QCOMPARE(quiet->text(), u"&Quiet"_s);

        QVERIFY(manager.ActivateLanguage(LangIdGerman).changed);
        QCOMPARE(window.windowTitle(), u"Ziehung"_s);
        QCOMPARE(start->text(), u"&Los"_s);
        QCOMPARE(start->toolTip(), u"Startet eine Ziehung"_s);
        QCOMPARE(fill->text(), u"Nullen füllen"_s);
        QCOMPARE(modes->title(), u"Aktion"_s);
        QCOMPARE(quiet->text(), u"&Ruhe"_s);
    }
};

QTEST_MAIN(TestControlTexts)
#include "tst_controltexts.moc"
