#include "localisation/controltexts.h"

#include "localisation/langcontroller.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace {

using Getter = TLanguageController::TextGetter;
using Setter = TLanguageController::TextSetter;

// The getter and setter of a control's caption; false for an object without one.
bool captionAccess(QObject *object, Getter &get, Setter &set)
{
    if (auto *button = qobject_cast<QAbstractButton *>(object)) {
        get = [button] { return button->text(); };
        set = [button](const QString &text) { button->setText(text); };
    } else if (auto *label = qobject_cast<QLabel *>(object)) {
        get = [label] { return label->text(); };
        set = [label](const QString &text) { label->setText(text); };
    } else if (auto *action = qobject_cast<QAction *>(object)) {
        get = [action] { return action->text(); };
        set = [action](const QString &text) { action->setText(text); };
    } else if (auto *group = qobject_cast<QGroupBox *>(object)) {
        get = [group] { return group->title(); };
        set = [group](const QString &text) { group->setTitle(text); };
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        get = [widget] { return widget->windowTitle(); };
        set = [widget](const QString &text) { widget->setWindowTitle(text); };
    } else {
        return false;
    }
    return true;
}

bool hintAccess(QObject *object, Getter &get, Setter &set)
{
    if (auto *action = qobject_cast<QAction *>(object)) {
        get = [action] { return action->toolTip(); };
        set = [action](const QString &text) { action->setToolTip(text); };
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        get = [widget] { return widget->toolTip(); };
        set = [widget](const QString &text) { widget->setToolTip(text); };
    } else {
        return false;
    }
    return true;
}

} // namespace

QList<qint32> bindControlTexts(TLanguageController &controller, QObject *root,
                               const QString &rootName)
{
    const QList<qint32> unbound = controller.unboundIds();
    for (const LangDataEntry &entry : controller.entries()) {
        if (!unbound.contains(entry.id))
            continue; // the window bound this one itself
        const QString component = QString::fromLatin1(entry.component);
        const QString path = QString::fromLatin1(entry.path);
        QObject *object = component.compare(rootName, Qt::CaseInsensitive) == 0
                              ? root
                              : root->findChild<QObject *>(component);
        if (!object)
            continue;
        Getter get;
        Setter set;
        const bool known = path.compare(QLatin1String("Caption"), Qt::CaseInsensitive) == 0
                               ? captionAccess(object, get, set)
                               : path.compare(QLatin1String("Hint"), Qt::CaseInsensitive) == 0 &&
                                     hintAccess(object, get, set);
        if (known)
            controller.bind(component, path, std::move(get), std::move(set));
    }
    return controller.unboundIds();
}
