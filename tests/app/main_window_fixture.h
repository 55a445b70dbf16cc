#pragma once

#include "imaging_startup.h"
#include "main_window.h"
#include "picture_box.h"
#include "scripted_services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace quillory {

// The initial backgrounds as the preview shows them.
constexpr QRgb kPink = 0xFFFF7D7D;
constexpr QRgb kLightGreen = 0xFFB7FF9B;

// An installed family the tests can choose (fonts-dejavu-core).
inline const QString kInstalledFamily = QStringLiteral("DejaVu Sans");

// A shown main window on running imaging, with scripted services. Imaging is
// started for real: the engine sits beside the test executable. Destroying
// the window stops imaging again.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        StartImaging();
        window_ = std::make_unique<MainWindow>(services_);
        window_->show();
    }

    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A fresh window as the program would open it, on imaging started anew.
    void Reopen()
    {
        TearDown();
        SetUp();
    }

    template <typename Widget = QWidget> Widget* Find(const QString& name) const
    {
        return window_->findChild<Widget*>(name);
    }

    QImage Preview() const { return Find<PictureBox>(QStringLiteral("图片框1"))->Picture(); }

    ScriptedServices services_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace quillory
