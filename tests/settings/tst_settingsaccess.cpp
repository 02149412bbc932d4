#include "settings/settingsaccessibility.h"
#include "settings/settingscontrols.h"
#include "settings/settingspanel.h"
#include "support/panelcontrols.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>

namespace {
// The control a screen reader speaks of when `widget` has the focus: a spin box for its inner
// text field, the widget itself otherwise.
QWidget *heard(QWidget *widget)
{
    QWidget *parent = widget->parentWidget();
    if (qobject_cast<QAbstractSpinBox *>(parent) && parent->focusProxy() == widget)
        return parent;
    return widget;
}

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(which) : QString();
}

QString describeWidget(const QWidget *widget)
{
    return QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
           widget->objectName() + QStringLiteral(" (parent ") +
           (widget->parentWidget() ? widget->parentWidget()->objectName() : QString()) +
           QLatin1Char(')');
}

// The controls a keyboard user must reach with the page in front: every visible widget of the
// panel that takes focus by Tab, except the radio buttons of the mode group that are not
// selected (Tab enters a radio group at its selected item; the arrow keys move within it).
QList<QWidget *> reachableControls(SettingsPanel &panel)
{
    QList<QWidget *> controls;
    for (QWidget *w : panel.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&panel) || (w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus ||
            w->focusProxy())
            continue;
        if (auto *radio = qobject_cast<QRadioButton *>(w); radio && !radio->isChecked())
            continue;
        controls.append(heard(w));
    }
    return controls;
}

// Follows Tab from the first page button until the focus comes back to it.
QList<QWidget *> walkTabOrder(SettingsPanel &panel)
{
    QList<QWidget *> visited;
    ui(panel).btModus->setFocus(Qt::TabFocusReason);
    QWidget *current = QApplication::focusWidget();
    while (current && !visited.contains(heard(current)) && visited.size() < 200) {
        visited.append(heard(current));
        QTest::keyClick(current, Qt::Key_Tab);
        current = QApplication::focusWidget();
    }
    return visited;
}
} // namespace

class TestSettingsAccess : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // With each page in front, and every control enabled so that none is skipped, Tab visits
    // each control of the page and the panel, and each has a name and a description of its own.
    void tabOrderReachesOnlyNamedControls_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("german");
        for (const char *page : {"konfAktion", "konfQuote", "konfLotto", "konfOptionen"}) {
            QTest::addRow("%s, German", page) << QString::fromLatin1(page) << true;
            QTest::addRow("%s, English", page) << QString::fromLatin1(page) << false;
        }
    }
    void tabOrderReachesOnlyNamedControls()
    {
        QFETCH(QString, page);
        QFETCH(bool, german);

        SettingsPanel panel;
        applyAccessibleTexts(panel, german);
        for (QWidget *w : panel.findChildren<QWidget *>())
            w->setEnabled(true);
        ui(panel).Konfiguration->setCurrentWidget(panel.findChild<QWidget *>(page));
        panel.resize(700, SettingsPanel::PanelHeight);
        panel.show();
        panel.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&panel));

        const QList<QWidget *> visited = walkTabOrder(panel);
        const QList<QWidget *> expected = reachableControls(panel);
        QVERIFY2(visited.size() > 10, qPrintable(QString::number(visited.size())));
        for (QWidget *w : expected)
            QVERIFY2(visited.contains(w),
                     qPrintable(QStringLiteral("Tab never reaches ") + describeWidget(w)));

        QStringList names;
        for (QWidget *w : visited) {
            QVERIFY2(panel.isAncestorOf(w), qPrintable(describeWidget(w)));
            const QString name = accessibleText(w, QAccessible::Name).trimmed();
            QVERIFY2(!name.isEmpty() && name != QStringLiteral("…"),
                     qPrintable(QStringLiteral("unnamed: ") + describeWidget(w)));
            QVERIFY2(!names.contains(name),
                     qPrintable(QStringLiteral("name heard twice: ") + name));
            names.append(name);
            QVERIFY2(!accessibleText(w, QAccessible::Description).trimmed().isEmpty(),
                     qPrintable(QStringLiteral("no description: ") + describeWidget(w)));
        }
    }

    // Every control the panel builds (radio items and disabled ones included) is described in
    // both languages, and a switch of language replaces every description.
    void switchingLanguageRedescribesEveryControl()
    {
        SettingsPanel panel;
        QHash<QWidget *, QString> germanTexts;
        for (QWidget *w : panel.findChildren<QWidget *>()) {
            // Skips the pop-up lists of the drop-downs, which are windows of their own.
            if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() &&
                w->window() == &panel)
                germanTexts.insert(heard(w), accessibleText(heard(w), QAccessible::Description));
        }
        QVERIFY(germanTexts.size() > 40);
        applyAccessibleTexts(panel, false);
        for (auto it = germanTexts.cbegin(); it != germanTexts.cend(); ++it) {
            const QString english = accessibleText(it.key(), QAccessible::Description);
            QVERIFY2(!it.value().isEmpty() && !english.isEmpty() && english != it.value(),
                     qPrintable(describeWidget(it.key()) + QStringLiteral(": ") + english));
        }
        QCOMPARE(accessibleText(ui(panel).Sekunden, QAccessible::Name), QStringLiteral("Seconds"));
        applyAccessibleTexts(panel, true);
        QCOMPARE(accessibleText(ui(panel).Sekunden, QAccessible::Name), QStringLiteral("Sekunden"));
    }
};

QTEST_MAIN(TestSettingsAccess)
#include "tst_settingsaccess.moc"
