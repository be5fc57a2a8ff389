#include "qt/look/look_theme.h"
#include "qt/look/looks.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QSvgRenderer>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

const char* const kIconNames[] = {
    "app", "switch_user",   "open_table",          "checkout",     "records", "settings", "user",
    "key", "user_settings", "restaurant_settings", "announcement",
};

struct PixelCount {
    int opaque = 0;
    int transparent = 0;
    int colourful = 0;
};

PixelCount countPixels(const QImage& image) {
    PixelCount count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 0) ++count.transparent;
            if (pixel.alpha() > 200) ++count.opaque;
            if (pixel.alpha() > 200 && pixel.hsvSaturation() > 60) ++count.colourful;
        }
    }
    return count;
}

// Widgets are drawn by the style sheet style only once the application's sheet is set; every
// test that grabs starts from a known look and leaves the application without one.
class LookTest : public ::testing::Test {
protected:
    void TearDown() override {
        qApp->setStyleSheet(QString());
        QApplication::setPalette(QPalette());
    }

    static QImage grab(QWidget& widget) {
        QApplication::processEvents();
        return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// --- Pictures ---

TEST(LookIcons, EveryIconIsAValidColourPictureWithATransparentBackground) {
    for (const char* name : kIconNames) {
        SCOPED_TRACE(name);
        const QIcon icon = qtui::icon(QString::fromLatin1(name));
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(QSvgRenderer(QStringLiteral(":/icons/%1.svg").arg(name)).isValid());
        for (const int side : {24, 32, 48}) {
            SCOPED_TRACE(side);
            const QPixmap pixmap = qtui::iconPixmap(QString::fromLatin1(name), QSize(side, side));
            ASSERT_EQ(pixmap.size(), QSize(side, side));
            const PixelCount count = countPixels(pixmap.toImage());
            const int all = side * side;
            EXPECT_GT(count.opaque, all / 8);
            EXPECT_GT(count.transparent, all / 20);
            EXPECT_GT(count.colourful, all / 20);
        }
        const QPixmap fromIcon = icon.pixmap(QSize(32, 32));
        ASSERT_FALSE(fromIcon.isNull());
        EXPECT_GT(countPixels(fromIcon.toImage()).opaque, 32 * 32 / 8);
    }
}

TEST(LookIcons, EveryNameHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (const char* name : kIconNames)
        pictures.push_back(qtui::iconPixmap(QString::fromLatin1(name), QSize(32, 32)).toImage());
    for (std::size_t a = 0; a < pictures.size(); ++a)
        for (std::size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << kIconNames[a] << " and " << kIconNames[b];
}

TEST(LookIcons, UnknownNamesAndEmptySizesGiveNothing) {
    for (const QString& name : {QStringLiteral("nothing"), QString(), QStringLiteral("App"),
                                QStringLiteral("../icons/app"), QStringLiteral("app.svg")}) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(qtui::icon(name).isNull());
        EXPECT_TRUE(qtui::iconPixmap(name, QSize(32, 32)).isNull());
    }
    EXPECT_TRUE(qtui::iconPixmap(QStringLiteral("app"), QSize(0, 32)).isNull());
    EXPECT_TRUE(qtui::iconPixmap(QStringLiteral("app"), QSize(32, -1)).isNull());
}

TEST(LookIcons, AWideBoxKeepsThePictureSquareAndCentred) {
    const QImage wide = qtui::iconPixmap(QStringLiteral("user"), QSize(96, 32)).toImage();
    ASSERT_EQ(wide.size(), QSize(96, 32));
    const QImage square = qtui::iconPixmap(QStringLiteral("user"), QSize(32, 32)).toImage();
    EXPECT_EQ(countPixels(wide.copy(0, 0, 32, 32)).opaque, 0);
    EXPECT_EQ(countPixels(wide.copy(64, 0, 32, 32)).opaque, 0);
    EXPECT_EQ(wide.copy(32, 0, 32, 32).convertToFormat(square.format()), square);
}

// --- The list of looks ---

TEST(LookList, FiveNamedLooksInTheirOrder) {
    ASSERT_EQ(qtui::lookCount(), 5);
    EXPECT_EQ(qtui::lookName(0), QStringLiteral("灰色经典"));
    EXPECT_EQ(qtui::lookName(1), QStringLiteral("金色积木"));
    EXPECT_EQ(qtui::lookName(2), QStringLiteral("粉色回忆"));
    EXPECT_EQ(qtui::lookName(3), QStringLiteral("蓝色天空"));
    EXPECT_EQ(qtui::lookName(4), QStringLiteral("红灰金属"));
    for (const int outside : {-1, 5, 100}) {
        EXPECT_TRUE(qtui::lookName(outside).isEmpty());
        EXPECT_TRUE(qtui::lookStyleSheet(outside).isEmpty());
    }
}

TEST(LookList, EverySheetIsFilledInAndDiffersFromTheOthers) {
    for (int a = 0; a < qtui::lookCount(); ++a) {
        const QString sheet = qtui::lookStyleSheet(a);
        EXPECT_FALSE(sheet.isEmpty());
        EXPECT_FALSE(sheet.contains(QLatin1Char('$'))) << "look " << a;
        for (int b = a + 1; b < qtui::lookCount(); ++b)
            EXPECT_NE(sheet, qtui::lookStyleSheet(b)) << a << " and " << b;
    }
}

// Readable text is the point of a look: every text colour against the backgrounds it is drawn
// on meets the usual 4.5:1 contrast.
double luminance(const char* hex) {
    const QColor colour(QString::fromLatin1(hex));
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const char* a, const char* b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(LookList, TextStaysReadableOnEveryBackground) {
    using Colour = const char* qtui::LookTheme::*;
    using T = qtui::LookTheme;
    const std::pair<Colour, Colour> pairs[] = {
        {&T::text, &T::window},
        {&T::text, &T::base},
        {&T::text, &T::readOnly},
        {&T::text, &T::alternate},
        {&T::buttonText, &T::buttonTop},
        {&T::buttonText, &T::buttonBottom},
        {&T::buttonText, &T::hoverTop},
        {&T::buttonText, &T::hoverBottom},
        {&T::pressedText, &T::pressedTop},
        {&T::pressedText, &T::pressedBottom},
        {&T::selectionText, &T::selection},
        {&T::headerText, &T::headerTop},
        {&T::headerText, &T::headerBottom},
        {&T::toolText, &T::toolbarTop},
        {&T::toolText, &T::toolbarBottom},
        {&T::toolText, &T::toolHover},
        {&T::toolPressedText, &T::toolPressed},
        {&T::menuText, &T::menuBack},
        {&T::menuSelectedText, &T::menuSelected},
        {&T::statusText, &T::statusBack},
        {&T::tipText, &T::tipBack},
        {&T::navText, &T::navTop},
        {&T::navText, &T::navBottom},
    };
    for (const qtui::LookTheme& theme : qtui::lookThemes()) {
        SCOPED_TRACE(theme.name);
        for (const auto& [text, back] : pairs)
            EXPECT_GE(contrast(theme.*text, theme.*back), 4.5)
                << theme.*text << " on " << theme.*back;
        // Greyed text recedes but must still be told apart from its background.
        EXPECT_GE(contrast(theme.disabledText, theme.disabledBack), 1.7);
        EXPECT_LT(contrast(theme.disabledText, theme.disabledBack),
                  contrast(theme.buttonText, theme.buttonBottom));
    }
}

// --- Applying a look ---

// A window with a button and a bare label, as the screens build them.
struct SampleWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QPushButton* button = new QPushButton(QStringLiteral("确定"), window.get());
    QLabel* label = new QLabel(QStringLiteral("当前用户："), window.get());

    SampleWindow() {
        window->setFixedSize(200, 80);
        button->setGeometry(10, 10, 80, 24);
        label->setGeometry(10, 44, 80, 30);
        window->show();
    }
};

TEST_F(LookTest, QtParsesEverySheetAndEachLooksDifferent) {
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type != QtDebugMsg) warnings << text;
        });
    SampleWindow sample;
    std::vector<QImage> buttons;
    for (int look = 0; look < qtui::lookCount(); ++look) {
        ASSERT_TRUE(qtui::applyLook(look));
        EXPECT_EQ(qApp->styleSheet(), qtui::lookStyleSheet(look));
        buttons.push_back(grab(*sample.button));
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join(QLatin1Char('\n')).toStdString();
    for (std::size_t a = 0; a < buttons.size(); ++a)
        for (std::size_t b = a + 1; b < buttons.size(); ++b)
            EXPECT_NE(buttons[a], buttons[b]) << "looks " << a << " and " << b;
}

TEST_F(LookTest, ApplyingChangesEveryOpenWindowAtOnce) {
    ASSERT_TRUE(qtui::applyLook(0));
    SampleWindow first;
    SampleWindow second;
    const QImage firstBefore = grab(*first.window);
    const QImage secondBefore = grab(*second.window);

    ASSERT_TRUE(qtui::applyLook(3));
    const QImage firstAfter = grab(*first.window);
    const QImage secondAfter = grab(*second.window);
    const QColor sky = qtui::lookPalette(3).color(QPalette::Window);
    for (const QImage* after : {&firstAfter, &secondAfter}) {
        EXPECT_EQ(after->pixelColor(195, 5), sky);
        EXPECT_NE(after->copy(10, 10, 80, 24), secondBefore.copy(10, 10, 80, 24));
    }
    EXPECT_NE(firstAfter, firstBefore);
    EXPECT_NE(secondAfter, secondBefore);
}

TEST_F(LookTest, AnIndexOutOfRangeChangesNothing) {
    ASSERT_TRUE(qtui::applyLook(2));
    SampleWindow sample;
    const QImage before = grab(*sample.window);
    const QString sheet = qApp->styleSheet();
    const QPalette palette = QApplication::palette();
    for (const int outside : {-1, 5, 42}) {
        EXPECT_FALSE(qtui::applyLook(outside));
        EXPECT_EQ(qApp->styleSheet(), sheet);
        EXPECT_EQ(QApplication::palette(), palette);
        EXPECT_EQ(grab(*sample.window), before);
    }
}

TEST_F(LookTest, LabelsShowTheWindowUnlessTheScreenColoursThem) {
    SampleWindow sample;
    auto* coloured = new QLabel(QStringLiteral("管理员"), sample.window.get());
    coloured->setObjectName(QStringLiteral("user"));
    coloured->setGeometry(100, 44, 90, 30);
    coloured->setAutoFillBackground(true);
    coloured->setStyleSheet(QStringLiteral("#user { color: #008000; background-color: #c0ffc0; }"));
    coloured->show();
    for (int look = 0; look < qtui::lookCount(); ++look) {
        SCOPED_TRACE(look);
        ASSERT_TRUE(qtui::applyLook(look));
        const QImage shot = grab(*sample.window);
        const QColor window = shot.pixelColor(195, 5);
        EXPECT_EQ(window, qtui::lookPalette(look).color(QPalette::Window));
        // The bare label's corner, away from its text, is the window itself.
        EXPECT_EQ(shot.pixelColor(11, 72), window);
        EXPECT_EQ(shot.pixelColor(188, 72), QColor(0xc0, 0xff, 0xc0));
    }
}

// Greyed text is lighter than the enabled text of the same look, so the state reads at a glance.
int darkestText(const QImage& image) {
    int darkest = 255;
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = image.width() / 4; x < image.width() * 3 / 4; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

TEST_F(LookTest, ADisabledButtonIsGreyedInEveryLook) {
    QWidget window;
    window.setFixedSize(200, 40);
    auto* enabled = new QPushButton(QStringLiteral("结账"), &window);
    auto* disabled = new QPushButton(QStringLiteral("结账"), &window);
    enabled->setGeometry(10, 10, 80, 24);
    disabled->setGeometry(100, 10, 80, 24);
    disabled->setEnabled(false);
    window.show();
    for (int look = 0; look < qtui::lookCount(); ++look) {
        SCOPED_TRACE(look);
        ASSERT_TRUE(qtui::applyLook(look));
        const QImage on = grab(*enabled);
        const QImage off = grab(*disabled);
        EXPECT_NE(on, off);
        EXPECT_GT(darkestText(off), darkestText(on) + 50);
    }
}

TEST_F(LookTest, PasswordsShowStarsInEveryLook) {
    QLineEdit edit;
    edit.setEchoMode(QLineEdit::Password);
    edit.setText(QStringLiteral("1234"));
    for (int look = 0; look < qtui::lookCount(); ++look) {
        SCOPED_TRACE(look);
        ASSERT_TRUE(qtui::applyLook(look));
        edit.ensurePolished();
        EXPECT_EQ(edit.style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, &edit),
                  '*');
        EXPECT_EQ(edit.displayText(), QStringLiteral("****"));
    }
}

} // namespace
