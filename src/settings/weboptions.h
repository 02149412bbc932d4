#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;
struct Settings;

// The results page on the options page: on or off, the port, the address it listens on (all
// of the machine's, or one of them), the page's address while it runs, and a line of help.
class WebOptionsBox : public QGroupBox {
    Q_OBJECT
public:
    explicit WebOptionsBox(QWidget *parent = nullptr);

    void retranslate();
    void load(const Settings &settings);
    void collect(Settings &settings) const;

    // The machine's addresses to choose from; a stored one that is not among them stays
    // chosen as its own entry.
    void setAddresses(const QStringList &addresses);
    // The chosen address; empty for all of them.
    QString address() const;
    void setAddress(const QString &address);
    // The page's address while the server runs, or why it did not start; empty when off.
    void showState(const QString &url, const QString &error);
    // The box's fields in the order Tab visits them.
    QList<QWidget *> tabChain() const;

private:
    QCheckBox *cbWeb = nullptr;
    QSpinBox *sbWebPort = nullptr;
    QComboBox *cbWebAdresse = nullptr;
    QCheckBox *cbWebEcke = nullptr; // the QR code small in a corner while no draw runs
    QLabel *lbWebPort = nullptr;
    QLabel *lbWebAdresse = nullptr;
    QLabel *lbWebSeite = nullptr;
    QLabel *lbWebHilfe = nullptr;
    QString m_url;
    QString m_error;
};
