#pragma once

#include "draw/csvlist.h"

#include <QDialog>
#include <QThread>

#include <atomic>
#include <memory>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QTableWidget;

// Reads a CSV list away from the window's thread: the file once, then the entries of every
// layout asked for. A newer request stops an older one that is still running.
class CsvListWorker : public QObject {
    Q_OBJECT
public:
    explicit CsvListWorker(std::shared_ptr<std::atomic<int>> latest) : m_latest(std::move(latest))
    {
    }

public Q_SLOTS:
    void load(const QString &path);
    void count(const CsvLayout &layout, int request);

Q_SIGNALS:
    // The file is read: its first rows' text (for the preview), the separator found, and what
    // went wrong (ListFileError::None when nothing did).
    void loaded(const QString &head, QChar separator, const QString &encoding, int error);
    void progress(int permille, int request);
    void counted(qint64 entries, qint64 rows, qint64 skipped, int request);

private:
    std::shared_ptr<std::atomic<int>> m_latest;
    QString m_text;
};

// The choice of how a CSV list becomes entries: the separator (found in the file, changeable),
// whether the first row names the columns, the column or columns of the entry and the column of
// the ticket count. The file is read in the background; a progress bar shows how far, and the
// entries and skipped rows of the layout chosen show when it is done.
class CsvListDialog : public QDialog {
    Q_OBJECT
public:
    // `initial` is the layout stored before; its separator is used when it is known.
    CsvListDialog(const QString &path, const CsvLayout &initial, QWidget *parent = nullptr);
    ~CsvListDialog() override;

    CsvLayout layout() const;
    // Whether the reading of the file, and the count of the layout in force, are done.
    bool idle() const { return m_loaded && m_pending == 0; }
    QString statusText() const;
    // Whether the layout shown was guessed from the file (nothing was stored for it).
    bool layoutGuessed() const;

    QComboBox *separatorBox() const { return m_separator; }
    QCheckBox *headerBox() const { return m_header; }
    QListWidget *columnList() const { return m_columns; }
    QComboBox *countBox() const { return m_count; }
    QProgressBar *progressBar() const { return m_progress; }
    QTableWidget *preview() const { return m_preview; }

Q_SIGNALS:
    void requestLoad(const QString &path);
    void requestCount(const CsvLayout &layout, int request);

private:
    void onLoaded(const QString &head, QChar separator, const QString &encoding, int error);
    void rebuildColumns();
    void layoutChanged();
    void fillPreview();

    QString m_path;
    CsvLayout m_initial;
    QString m_head;
    bool m_loaded = false;
    int m_pending = 0;
    bool m_rebuilding = false;
    std::shared_ptr<std::atomic<int>> m_latest = std::make_shared<std::atomic<int>>(0);
    QThread m_thread;

    QComboBox *m_separator = nullptr;
    QCheckBox *m_header = nullptr;
    QListWidget *m_columns = nullptr;
    QComboBox *m_count = nullptr;
    QTableWidget *m_preview = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_guessNote = nullptr; // the header row and the count column are guessed
    QDialogButtonBox *m_buttons = nullptr;
};
