#pragma once

#include "ui/activateddialog.h"

#include <memory>

namespace Ui {
class Form4;
}

namespace zarfan {

class UpdateFetcher;

// Form4: the maker's current update notice, fetched each time the window
// becomes active. The window stays responsive while the body arrives.
class UpdateWindow : public ActivatedDialog {
    Q_OBJECT
public:
    explicit UpdateWindow(QWidget *parent);
    ~UpdateWindow() override;

    UpdateFetcher *fetcher() const { return fetcher_; }
    static QString noteText();
    static QString websiteUrl();

public slots:
    void showNote();
    void openWebsite();

    void done(int result) override;

protected:
    void activated() override;

private:
    std::unique_ptr<Ui::Form4> ui;
    UpdateFetcher *fetcher_;
};

} // namespace zarfan
