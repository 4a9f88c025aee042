#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace zarfan {

class OfflineDownload;
class Recitation;

// "تنزيل للاستماع دون اتصال": a sura, a juz or the whole mushaf of the chosen
// reciter into the cache, with its progress; cancel, and start again to resume.
class OfflineWindow : public QDialog {
    Q_OBJECT
public:
    OfflineWindow(OfflineDownload &download, Recitation &recitation, const QString &connectionString,
                  QWidget *parent = nullptr);

    QComboBox *scopeBox() const { return scope_; }
    QComboBox *numberBox() const { return number_; }
    QPushButton *startButton() const { return start_; }
    QPushButton *cancelButton() const { return cancel_; }
    QLabel *stateLabel() const { return state_; }

private:
    void fillNumbers();
    void startDownload();
    void showProgress();
    void finished(bool complete, const QString &message);

    OfflineDownload &download_;
    Recitation &recitation_;
    QString connection_;
    QLabel *reciter_, *state_;
    QComboBox *scope_, *number_;
    QPushButton *start_, *cancel_;
    QProgressBar *bar_;
};

// "التلاوات المحفوظة": per reciter what the cache holds (whole suras, size),
// and deleting one reciter's files.
class SavedRecitationsWindow : public QDialog {
    Q_OBJECT
public:
    SavedRecitationsWindow(Recitation &recitation, OfflineDownload &download, QWidget *parent = nullptr);
    QTableWidget *table() const { return table_; }
    void fill();

private:
    void deleteSelected();

    Recitation &recitation_;
    OfflineDownload &download_;
    QTableWidget *table_;
    QPushButton *delete_;
    QStringList folders_;
};

} // namespace zarfan
