#include "BundledFonts.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include "drill.h"
#include "ticker.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace shulin;

namespace {

const QColor kMoneyGreen(192, 220, 192);

QWidget* Window(int form)
{
    return form == 1 ? static_cast<QWidget*>(Form1) : form == 2 ? static_cast<QWidget*>(Form2) : static_cast<QWidget*>(Form3);
}

DrillForm* Drill(int form)
{
    return form == 2 ? static_cast<DrillForm*>(Form2) : static_cast<DrillForm*>(Form3);
}

QWidget* Control(int form, const QString& name)
{
    return Window(form)->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
}

void Click(QWidget* target, QPoint at = {})
{
    QTest::mouseClick(target, Qt::LeftButton, {}, at.isNull() ? target->rect().center() : at);
}

// What a click can change: every window's and control's visibility and text, and the drill
// states; but for the ticker, which moves by itself, and for the text of except.
QStringList Snapshot(const QWidget* except = nullptr)
{
    QStringList state;
    for (int form = 1; form <= 3; ++form) {
        state << QString::number(Window(form)->isVisible());
        for (QWidget* child : Window(form)->findChildren<QWidget*>()) {
            if (child == Form1->Label5 || child == except)
                continue;
            state << child->objectName() + QString::number(child->isVisibleTo(Window(form)));
            if (auto* label = qobject_cast<QLabel*>(child))
                state << label->text();
        }
    }
    for (const DrillState* drill : {&AdditionState, &SubtractionState}) {
        if (except && except->parent() == Window(drill == &AdditionState ? 2 : 3))
            state << QString::number(drill->CorrectSlot); // the range itself may change
        else
            state << QString::number(drill->RangeLimit) << QString::number(drill->CorrectSlot);
    }
    return state;
}

// Operands of a question such as "12+7=".
std::pair<int, int> Operands(const QString& question)
{
    const QStringList parts = question.chopped(1).split(QRegularExpression("[+-]"));
    return {parts.value(0).toInt(), parts.value(1).toInt()};
}

} // namespace

// Counts the requests to open a web page.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> requests;

public slots:
    void open(const QUrl& url) { requests << url; }
};

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { RegisterBundledFonts(); }

    void init()
    {
        CreateForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }

    void cleanup() { DestroyForms(); }

    void everyControlShouldSitWhereTheLayoutPutsIt_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("autoSize");

        struct Row {
            int form;
            const char* name;
            int left, top, width, height;
            bool autoSize;
        };
        const Row rows[] = {
            {1, "Image1", 384, 8, 235, 349, true}, {1, "Label1", 24, 32, 325, 80, true},
            {1, "Label2", 72, 128, 97, 97, true}, {1, "Label3", 216, 192, 97, 97, true},
            {1, "Label4", 56, 328, 264, 16, true}, {1, "Label5", 384, 360, 233, 19, false},

            {2, "Label1", 24, 8, 20, 37, true}, {2, "Label2", 81, 8, 20, 37, true}, {2, "Label3", 136, 8, 20, 37, true},
            {2, "Label4", 184, 8, 20, 37, true}, {2, "Label5", 224, 8, 20, 37, true}, {2, "Label6", 264, 8, 20, 37, true},
            {2, "Label7", 304, 8, 20, 37, true}, {2, "Label8", 344, 8, 20, 37, true}, {2, "Label9", 384, 8, 37, 37, true},
            {2, "Label10", 448, 8, 39, 37, true}, {2, "Label11", 504, 8, 39, 37, true}, {2, "Label12", 560, 8, 39, 37, true},
            {2, "Label13", 616, 8, 39, 37, true}, {2, "Label14", 24, 56, 39, 37, true}, {2, "Label15", 80, 56, 39, 37, true},
            {2, "Label16", 136, 56, 39, 37, true}, {2, "Label17", 192, 56, 39, 37, true}, {2, "Label18", 256, 56, 56, 37, true},
            {2, "Label19", 336, 56, 76, 37, true}, {2, "Label20", 40, 128, 609, 81, false},
            {2, "Label21", 40, 240, 145, 49, false}, {2, "Label22", 200, 240, 137, 49, false},
            {2, "Label23", 360, 240, 137, 49, false}, {2, "Label24", 520, 240, 129, 49, false},
            {2, "Label25", 456, 56, 193, 37, false}, {2, "Image1", 128, 296, 60, 45, true},
            {2, "Image2", 128, 296, 109, 93, true}, {2, "Button1", 392, 344, 113, 25, false},

            {3, "Label1", 24, 16, 32, 41, false}, {3, "Label2", 72, 16, 20, 37, true}, {3, "Label3", 120, 16, 20, 37, true},
            {3, "Label4", 168, 16, 20, 37, true}, {3, "Label5", 208, 16, 20, 37, true}, {3, "Label6", 264, 16, 20, 37, true},
            {3, "Label7", 304, 16, 20, 37, true}, {3, "Label8", 352, 16, 20, 37, true}, {3, "Label9", 392, 16, 37, 37, true},
            {3, "Label10", 456, 16, 39, 37, true}, {3, "Label11", 512, 16, 39, 37, true}, {3, "Label12", 568, 16, 39, 37, true},
            {3, "Label13", 624, 16, 39, 37, true}, {3, "Label14", 16, 64, 39, 37, true}, {3, "Label15", 72, 64, 39, 37, true},
            {3, "Label16", 128, 64, 39, 37, true}, {3, "Label17", 184, 64, 39, 37, true}, {3, "Label18", 240, 64, 56, 37, true},
            {3, "Label19", 312, 64, 76, 37, true}, {3, "Label20", 24, 128, 625, 73, false},
            {3, "Label21", 24, 224, 137, 49, false}, {3, "Label22", 176, 224, 153, 49, false},
            {3, "Label23", 352, 224, 145, 49, false}, {3, "Label24", 512, 224, 137, 45, false},
            {3, "Label25", 400, 64, 257, 41, false}, {3, "Image1", 112, 280, 80, 80, true},
            {3, "Image2", 112, 280, 109, 93, true}, {3, "Button1", 368, 320, 129, 33, false},
        };
        for (const Row& row : rows) {
            QTest::addRow("Form%d/%s", row.form, row.name)
                << row.form << QString::fromLatin1(row.name) << QRect(row.left, row.top, row.width, row.height) << row.autoSize;
        }
    }

    void everyControlShouldSitWhereTheLayoutPutsIt()
    {
        QFETCH(int, form);
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, autoSize);

        QWidget* control = Control(form, name);
        QVERIFY(control);
        QCOMPARE(control->pos(), geometry.topLeft());
        auto* label = qobject_cast<QLabel*>(control);
        if (label && !label->pixmap().isNull()) {
            QCOMPARE(control->size(), geometry.size()); // a picture takes its natural size
        } else if (autoSize) {
            // Sized to its text in the face actually used, slanted strokes included.
            const QFontMetrics metrics(control->font());
            QCOMPARE(control->size(), control->sizeHint());
            QVERIFY(control->width() >= metrics.horizontalAdvance(label->text()));
            QVERIFY(control->height() >= metrics.height());
        } else {
            QCOMPARE(control->size(), geometry.size());
        }
    }

    void everyControlShouldLookAsTheLayoutSays_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<Qt::CursorShape>("cursor");
        QTest::addColumn<bool>("visible");

        const QColor windowText = QApplication::palette().color(QPalette::WindowText);
        const QColor infoBk = QApplication::palette().color(QPalette::ToolTipBase);
        const QColor teal(0, 128, 128), blue(0, 0, 255), red(255, 0, 0), fuchsia(255, 0, 255), aqua(0, 255, 255);
        const QColor skyBlue(166, 202, 240);
        const auto hand = Qt::PointingHandCursor;
        const auto arrow = Qt::ArrowCursor;

        auto row = [](int form, const char* name) -> QTestData& { return QTest::addRow("Form%d/%s", form, name) << form << QString::fromLatin1(name); };
        row(1, "Label1") << "数林小径" << "楷体_GB2312" << 80 << true << blue << kMoneyGreen << arrow << true;
        row(1, "Label2") << "＋" << "黑体" << 96 << false << aqua << fuchsia << hand << true;
        row(1, "Label3") << "－" << "黑体" << 96 << false << aqua << fuchsia << hand << true;
        row(1, "Label4") << QString::fromUtf8(kCreditLine) << "宋体" << 16 << false << windowText << kMoneyGreen << hand << true;
        row(1, "Label5") << "" << "楷体_GB2312" << 19 << false << red << kMoneyGreen << arrow << true;

        const char* captions[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100", ">100"};
        for (int form : {2, 3}) {
            const auto windowCursor = form == 3 ? hand : arrow;
            for (int n = 1; n <= 19; ++n) {
                const QByteArray name = "Label" + QByteArray::number(n);
                row(form, name.constData()) << captions[n - 1] << "MS Sans Serif" << 32 << false << teal << kMoneyGreen
                                            << (form == 3 && n == 2 ? windowCursor : hand) << true;
            }
            row(form, "Label20") << "" << "黑体" << 80 << false << red << infoBk << windowCursor << true;
            for (const char* name : {"Label21", "Label22", "Label23", "Label24"})
                row(form, name) << "" << "黑体" << 48 << false << fuchsia << skyBlue << hand << true;
            row(form, "Label25") << "范围是10" << "MS Sans Serif" << 32 << false << blue << kMoneyGreen << windowCursor << true;
            row(form, "Button1") << (form == 2 ? ">>>>>>>>" : ">>>>>>>>>>") << (form == 2 ? "MS Sans Serif" : "Arial") << 19
                                 << false << windowText << QColor() << hand << true;
        }
    }

    void everyControlShouldLookAsTheLayoutSays()
    {
        QFETCH(int, form);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, face);
        QFETCH(int, pixels);
        QFETCH(bool, italic);
        QFETCH(QColor, colour);
        QFETCH(QColor, background);
        QFETCH(Qt::CursorShape, cursor);
        QFETCH(bool, visible);

        QWidget* control = Control(form, name);
        QVERIFY(control);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            if (!text.isEmpty() || form == 1)
                QCOMPARE(label->text(), text);
            QCOMPARE(label->palette().color(QPalette::WindowText), colour);
            QCOMPARE(label->palette().color(QPalette::Window), background);
            QVERIFY(label->autoFillBackground());
            QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            QCOMPARE(label->margin(), 0);
            QVERIFY(!label->wordWrap());
        } else {
            auto* button = qobject_cast<QPushButton*>(control);
            QVERIFY(button);
            QCOMPARE(button->text(), text);
            QCOMPARE(button->palette().color(QPalette::ButtonText), colour);
        }
        const QFont font = control->font();
        // The named face where the desktop has it, and the bundled stand-in in any case.
        const QStringList families = QFontDatabase::hasFamily(face) ? QStringList{face, BundledFamily(face)}
                                                                    : QStringList{BundledFamily(face)};
        QCOMPARE(font.families(), families);
        QCOMPARE(font.pixelSize(), pixels);
        QVERIFY(font.bold() || (form == 1 && name == "Label4"));
        QCOMPARE(font.italic(), italic);
        QCOMPARE(control->cursor().shape(), cursor);
        QCOMPARE(control->isVisibleTo(Window(form)), visible);
    }

    void picturesShouldStartHiddenWithTheRightOneAbove_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("addition") << 2;
        QTest::newRow("subtraction") << 3;
    }

    void picturesShouldStartHiddenWithTheRightOneAbove()
    {
        QFETCH(int, form);
        DrillForm* drill = Drill(form);
        QVERIFY(!drill->Image1->isVisibleTo(drill));
        QVERIFY(!drill->Image2->isVisibleTo(drill));
        QCOMPARE(drill->Image1->pos(), drill->Image2->pos());
        const QObjectList& order = drill->children();
        QVERIFY(order.indexOf(drill->Image2) > order.indexOf(drill->Image1));
        QCOMPARE(drill->Image1->accessibleName(), QStringLiteral("答错了"));
        QCOMPARE(drill->Image2->accessibleName(), QStringLiteral("答对了"));
        QCOMPARE(drill->Image1->cursor().shape(), form == 3 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

    void plusAndMinusShouldHideTheMainWindowThenShowTheirDrill_data()
    {
        QTest::addColumn<int>("form");
        QTest::newRow("plus") << 2;
        QTest::newRow("minus") << 3;
    }

    void plusAndMinusShouldHideTheMainWindowThenShowTheirDrill()
    {
        QFETCH(int, form);
        QStringList order;
        struct Recorder : QObject {
            QStringList* order;
            bool eventFilter(QObject* watched, QEvent* event) override
            {
                if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
                    *order << watched->objectName() + (event->type() == QEvent::Hide ? " hidden" : " shown");
                return false;
            }
        } recorder;
        recorder.order = &order;
        for (int f = 1; f <= 3; ++f)
            Window(f)->installEventFilter(&recorder);

        QLabel* sign = form == 2 ? Form1->Label2 : Form1->Label3;
        QCOMPARE(sign->accessibleName(), form == 2 ? QStringLiteral("加法练习") : QStringLiteral("减法练习"));
        Click(sign);
        DrillForm* drill = Drill(form);
        QVERIFY(QTest::qWaitForWindowActive(drill));
        for (int f = 1; f <= 3; ++f)
            Window(f)->removeEventFilter(&recorder);

        QCOMPARE(order, (QStringList{"Form1 hidden", QStringLiteral("Form%1 shown").arg(form)}));
        QVERIFY(!Form1->isVisible());
        QVERIFY(!Drill(5 - form)->isVisible());
        QCOMPARE(QApplication::focusWidget(), drill->Button1);
        QCOMPARE(drill->Label25->text(), QStringLiteral("范围是10"));

        QList<QWidget*> focusable;
        for (QWidget* child : drill->findChildren<QWidget*>())
            if (child->focusPolicy() != Qt::NoFocus)
                focusable << child;
        QCOMPARE(focusable, QList<QWidget*>{drill->Button1});
    }

    void rangeOptionShouldChangeOnlyTheReadout_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("readout");
        const int limits[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 100000};
        const char* captions[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100", ">100"};
        for (int form : {2, 3}) {
            for (int option = 1; option <= 19; ++option) {
                QTest::addRow("Form%d/option%d", form, option)
                    << form << option << limits[option - 1] << QStringLiteral("范围是") + captions[option - 1];
            }
        }
    }

    void rangeOptionShouldChangeOnlyTheReadout()
    {
        QFETCH(int, form);
        QFETCH(int, option);
        QFETCH(int, limit);
        QFETCH(QString, readout);

        DrillForm* drill = Drill(form);
        Click(form == 2 ? Form1->Label2 : Form1->Label3);
        QVERIFY(QTest::qWaitForWindowExposed(drill));
        Click(drill->CandidateLabel(drill->state().CorrectSlot % 4 + 1)); // a wrong pick: the wrong picture shows
        const QStringList before = Snapshot(drill->Label25);

        Click(Control(form, QStringLiteral("Label%1").arg(option)));

        QCOMPARE(drill->Label25->text(), readout);
        QCOMPARE(drill->state().RangeLimit, limit);
        QCOMPARE(Snapshot(drill->Label25), before);
    }

    void picksShouldShowThePicturesAsTheTableSays_data()
    {
        // R: a pick of the correct slot, W: a wrong pick, N: the next-problem button,
        // O: a range option.  After each step: "wrong right" visibility, 1 for shown.
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QStringList>("pictures");
        for (int form : {2, 3}) {
            const QByteArray window = form == 2 ? "addition" : "subtraction";
            QTest::newRow(window + "/rightShowsTheRightPicture") << form << "R" << QStringList{"01"};
            QTest::newRow(window + "/wrongShowsTheWrongPicture") << form << "W" << QStringList{"10"};
            QTest::newRow(window + "/wrongThenRightShowsBoth") << form << "WR" << QStringList{"10", "11"};
            QTest::newRow(window + "/rightThenWrongShowsBoth") << form << "RW" << QStringList{"01", "11"};
            QTest::newRow(window + "/repeatedPicksKeepTheirPictures") << form << "WWRR" << QStringList{"10", "10", "11", "11"};
            QTest::newRow(window + "/optionKeepsThePictures") << form << "WOROR" << QStringList{"10", "10", "11", "11", "11"};
            QTest::newRow(window + "/nextHidesBoth") << form << "WRNRNWN" << QStringList{"10", "11", "00", "01", "00", "10", "00"};
            QTest::newRow(window + "/nextWithNoPicture") << form << "NN" << QStringList{"00", "00"};
        }
    }

    void picksShouldShowThePicturesAsTheTableSays()
    {
        QFETCH(int, form);
        QFETCH(QString, steps);
        QFETCH(QStringList, pictures);

        DrillForm* drill = Drill(form);
        Click(form == 2 ? Form1->Label2 : Form1->Label3);
        QVERIFY(QTest::qWaitForWindowActive(drill));
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const int correct = drill->state().CorrectSlot;
            switch (steps[i].toLatin1()) {
            case 'R': Click(drill->CandidateLabel(correct)); break;
            case 'W': Click(drill->CandidateLabel(correct % 4 + 1)); break;
            case 'N': Click(drill->Button1); break;
            case 'O': Click(drill->Label5); break;
            }
            const QString seen = QString::number(drill->Image1->isVisible()) + QString::number(drill->Image2->isVisible());
            QCOMPARE(seen, pictures[i]);
        }
        if (drill->Image2->isVisible()) {
            // The right picture covers the wrong one completely.
            QVERIFY(drill->Image2->geometry().contains(drill->Image1->geometry()));
        }
    }

    void nextProblemShouldComeFromTheRangeInForce_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("limit");
        for (int form : {2, 3}) {
            QTest::addRow("Form%d/two", form) << form << 1 << 2;
            QTest::addRow("Form%d/twenty", form) << form << 10 << 20;
            QTest::addRow("Form%d/overHundred", form) << form << 19 << 100000;
        }
    }

    void nextProblemShouldComeFromTheRangeInForce()
    {
        QFETCH(int, form);
        QFETCH(int, option);
        QFETCH(int, limit);

        DrillForm* drill = Drill(form);
        Click(form == 2 ? Form1->Label2 : Form1->Label3);
        QVERIFY(QTest::qWaitForWindowActive(drill));
        Click(Control(form, QStringLiteral("Label%1").arg(option)));
        const QString readout = drill->Label25->text();

        for (int round = 0; round < 20; ++round) {
            if (round % 2)
                Click(drill->Button1);
            else
                QTest::keyClick(drill->Button1, Qt::Key_Space); // the keyboard presses it too
            const auto [first, second] = Operands(drill->Label20->text());
            const int answer = form == 2 ? first + second : first - second;
            QVERIFY2(form == 2 ? (first < limit && second < limit && answer <= limit) : (first <= limit && second <= first),
                qPrintable(drill->Label20->text()));
            QCOMPARE(drill->Label20->text(), drill->Label20->text().toLatin1());
            QCOMPARE(drill->CandidateLabel(drill->state().CorrectSlot)->text(), QString::number(answer));
            QCOMPARE(drill->Label25->text(), readout);
            QCOMPARE(drill->state().RangeLimit, limit);
        }
    }

    void clicksOutsideTheActiveControlsShouldChangeNothing_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("target"); // a control, or empty for the bare window
        QTest::addColumn<QPoint>("at");
        QTest::newRow("main/title") << 1 << "Label1" << QPoint();
        QTest::newRow("main/photograph") << 1 << "Image1" << QPoint();
        QTest::newRow("main/ticker") << 1 << "Label5" << QPoint();
        QTest::newRow("main/bare") << 1 << "" << QPoint(660, 200);
        for (int form : {2, 3}) {
            const QByteArray window = form == 2 ? "addition" : "subtraction";
            QTest::newRow(window + "/question") << form << "Label20" << QPoint();
            QTest::newRow(window + "/readout") << form << "Label25" << QPoint();
            QTest::newRow(window + "/wrongPicture") << form << "Image1" << QPoint();
            QTest::newRow(window + "/rightPicture") << form << "Image2" << QPoint();
            QTest::newRow(window + "/bare") << form << "" << QPoint(620, 385);
        }
    }

    void clicksOutsideTheActiveControlsShouldChangeNothing()
    {
        QFETCH(int, form);
        QFETCH(QString, target);
        QFETCH(QPoint, at);

        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        if (form != 1) {
            DrillForm* drill = Drill(form);
            Click(form == 2 ? Form1->Label2 : Form1->Label3);
            QVERIFY(QTest::qWaitForWindowActive(drill));
            Click(drill->CandidateLabel(drill->state().CorrectSlot % 4 + 1));
            Click(drill->CandidateLabel(drill->state().CorrectSlot)); // both pictures shown, so both can be clicked
        }
        const QStringList before = Snapshot();
        Click(target.isEmpty() ? Window(form) : Control(form, target), at);
        QDesktopServices::unsetUrlHandler("https");

        QCOMPARE(Snapshot(), before);
        QVERIFY(catcher.requests.isEmpty());
    }

    void creditLineShouldAskForTheHomePageOncePerClick()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        const QStringList before = Snapshot();
        for (int i = 0; i < 3; ++i)
            Click(Form1->Label4);
        QDesktopServices::unsetUrlHandler("https");

        QCOMPARE(catcher.requests, QList<QUrl>(3, QUrl(QString::fromLatin1(kHomePage))));
        QCOMPARE(Snapshot(), before);
    }

    // Whatever fonts the desktop has, no text shows as empty boxes: the bundled stand-in of
    // each control's face holds every character the control can ever show.
    void everyTextShouldBeInTheBundledFaceOfItsControl()
    {
        QStringList tickerTexts;
        TickerInit();
        for (int step = 0; step < 42; ++step)
            tickerTexts << QString::fromStdString(TickerStep());
        QStringList readouts;
        for (const RangeOption& option : RangeOptions)
            readouts << QString::fromUtf8(kReadoutPrefix.data(), kReadoutPrefix.size()) + QString::fromUtf8(option.Caption.data(), option.Caption.size());
        const QStringList problemTexts{"0123456789+-="};

        int checked = 0;
        for (int form = 1; form <= 3; ++form) {
            for (QWidget* control : Window(form)->findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(control);
                auto* button = qobject_cast<QPushButton*>(control);
                if ((label && !label->pixmap().isNull()) || (!label && !button))
                    continue;
                QStringList texts{label ? label->text() : button->text()};
                if (control == Form1->Label5)
                    texts << tickerTexts;
                else if (form != 1 && control == Drill(form)->Label25)
                    texts << readouts;
                else if (form != 1 && QRegularExpression("^Label2[0-4]$").match(control->objectName()).hasMatch())
                    texts << problemTexts;

                QFont bundled(control->font().families().constLast());
                bundled.setStyleStrategy(QFont::NoFontMerging);
                bundled.setPixelSize(control->font().pixelSize());
                QCOMPARE(QFontInfo(bundled).family(), bundled.family());
                const QFontMetrics metrics(bundled);
                for (const QString& text : texts) {
                    for (const QChar c : text)
                        QVERIFY2(metrics.inFont(c), qPrintable(control->objectName() + ": " + QString(c)));
                }
                ++checked;
            }
        }
        QCOMPARE(checked, 5 + 2 * 26); // the labels of the main window, and 25 labels and a button per drill
    }

    void tickerShouldShowTheGreetingFromTheFirstTickOnAlsoWhileHidden()
    {
        QCOMPARE(Form1->Label5->text(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!Form1->Label5->text().isEmpty(), 1000);
        QCOMPARE(Form1->Label5->text(), QStringLiteral("         以此"));

        Click(Form1->Label2);
        QVERIFY(!Form1->isVisible());
        const QString hidden = Form1->Label5->text();
        QTRY_VERIFY_WITH_TIMEOUT(Form1->Label5->text() != hidden, 1000);
        QCOMPARE(Form1->Label5->size(), QSize(233, 19));
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
