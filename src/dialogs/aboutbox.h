#pragma once
#include <QDialog>

class QPushButton;

namespace verno {

// The program's name, version, icon and copyright, with a mail and a web link.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);

    // The links' actions; each reports its own failure.
    void AuthorEmailClick();
    void AuthorWebsiteClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *ok_ = nullptr;
};

// Where the links lead.
extern const char kAuthorEmail[];
extern const char kAuthorWebsite[];

} // namespace verno
