#pragma once

#include <QList>
#include <QString>

class QObject;
class TLanguageController;

// Binds the entries of a controller whose property is a caption or a hint of a control found
// by name: rootName names root itself, any other name the child of root with that object
// name. "Caption" is the text of a button, label or action, the title of a group box and the
// window title of any other widget; "Hint" is the tool tip of a widget or action.
// Returns the IDs still unbound afterwards, which the window binds itself.
QList<qint32> bindControlTexts(TLanguageController &controller, QObject *root,
                               const QString &rootName);
