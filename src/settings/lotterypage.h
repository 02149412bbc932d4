#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
struct Settings;

// The page "Lotterie (Lottozahlen) einstellen" (`konfLotto`): n numbers out of x, the number of
// games and how many games share one pool of numbers; below them the verifiable draw of the
// other modes and the audience's word for its next segment. The page keeps its own fields
// consistent: the pool never spans more games than x div n, and its word follows its value.
class LotteryPage : public QWidget {
    Q_OBJECT
public:
    explicit LotteryPage(QWidget *parent = nullptr);

    // The audience's word for the next segment of the verifiable draw.
    QString audienceWord() const;
    void clearAudienceWord();

    // Moves the page's keys between the settings and the fields: the numbers before the pool,
    // whose limit they set.
    void loadLottery(const Settings &settings);
    void loadVerification(const Settings &settings);
    void collect(Settings &settings) const;
    QList<QWidget *> tabChain() const;

public Q_SLOTS:
    // n or x changed: at most x div n games can share one pool.
    void Lotto_nChange();
    // The word after the pool field, in the language in force.
    void Lotto_PoolChange();

Q_SIGNALS:
    void verificationClicked(); // the box of the verifiable draw, clicked by the user

private:
    QLabel *hpLotto = nullptr;
    QSpinBox *Lotto_n = nullptr;
    QSpinBox *Lotto_x = nullptr;
    QSpinBox *Lotto_Spiele = nullptr;
    QSpinBox *Lotto_Pool = nullptr;
    QLabel *lbLottoBereich = nullptr; // "Gezogen werden"
    QLabel *Label4 = nullptr;         // "aus"
    QLabel *lbLottoSpiele = nullptr;  // "Anzahl der Spiele"
    QLabel *LBLottoPool = nullptr;    // "Verteile Zahlenpool auf"
    QLabel *lbLottoAnzahl = nullptr;  // "Spiel"
    QCheckBox *cbNachpruefbar = nullptr;
    QLabel *lbPublikumswort = nullptr;
    QLineEdit *edPublikumswort = nullptr;
};
