#pragma once
// The window `Main`, built from the layout table; its events go to the handlers of module Main.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>
#include <string_view>

#include "core/controls/controls.h"
#include "qt/qt_controls.h"

namespace qtfront {

class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // Installs the controls for the core and runs Form_Load; call before the first show.
    void Load();

    // The control of the layout table with that name; nullptr for an unknown name.
    QWidget* Control(std::string_view name) const;
    QLineEdit* txt_poi() const { return txt_poi_; }
    QLineEdit* txt_sd() const { return txt_sd_; }
    QLabel* txt_navman() const { return txt_navman_; }
    QLabel* lbl_active() const { return lbl_active_; }
    QPushButton* cmd_Start() const { return cmd_Start_; }
    QPushButton* cmd_quit() const { return cmd_quit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void SetTabOrder();
    void ConnectHandlers();

    QLineEdit* txt_poi_ = nullptr;
    QLineEdit* txt_sd_ = nullptr;
    QLabel* txt_navman_ = nullptr;
    QLabel* lbl_active_ = nullptr;
    QPushButton* cmd_Start_ = nullptr;
    QPushButton* cmd_quit_ = nullptr;

    std::unique_ptr<QtTextBox> poiBox_;
    std::unique_ptr<QtTextBox> sdBox_;
    std::unique_ptr<QtLabel> navmanLabel_;
    std::unique_ptr<QtLabel> activeLabel_;
    std::unique_ptr<QtButton> startButton_;
    std::unique_ptr<QtForm> form_;
    std::unique_ptr<controls::MainControls> controls_;
};

}  // namespace qtfront
