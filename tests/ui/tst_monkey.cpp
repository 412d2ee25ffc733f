// Thousands of random clicks, drags and key presses, spread over every control and the bare
// areas of the three windows.  A model of what the pupil did says what each window must show;
// after every event the windows are compared with it.  The run is reproducible: the seed comes
// from SHULIN_MONKEY_SEED when set, and every failure names it.

#include "BundledFonts.h"
#include "Startup.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include "drill.h"
#include "invariants.h"
#include "random_source.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <map>
#include <random>

using namespace shulin;

namespace {

constexpr int kSessions = 50;
constexpr int kEventsPerSession = 200;

QWidget* Window(int form)
{
    return form == 1 ? static_cast<QWidget*>(Form1) : form == 2 ? static_cast<QWidget*>(Form2) : static_cast<QWidget*>(Form3);
}

DrillForm* Drill(int form)
{
    return form == 2 ? static_cast<DrillForm*>(Form2) : static_cast<DrillForm*>(Form3);
}

QString Readout(int limit)
{
    for (const RangeOption& option : RangeOptions) {
        if (option.Limit == limit)
            return QStringLiteral("范围是") + QString::fromUtf8(option.Caption.data(), static_cast<qsizetype>(option.Caption.size()));
    }
    return {};
}

// What one drill window must show, by what the pupil did to it.
struct DrillModel {
    int limit = 10;       // the range in force
    int madeAt = 10;      // the range the problem on show was made under
    bool opening = true;  // the problem on show is the window's first
    bool wrong = false;   // Image1 visible
    bool right = false;   // Image2 visible
    int presses = 0;      // next-problem presses so far
    QStringList problem;  // the question and the four candidates on show
};

QStringList ProblemTexts(const DrillForm* drill)
{
    return {drill->Label20->text(), drill->Label21->text(), drill->Label22->text(), drill->Label23->text(),
        drill->Label24->text()};
}

// The problem as the window shows it, read back from its labels, or why it cannot be.
QString ReadProblem(const DrillForm* drill, Problem& problem)
{
    static const QRegularExpression question(QStringLiteral("^([0-9]+)([+-])([0-9]+)=$"));
    const QRegularExpressionMatch match = question.match(drill->Label20->text());
    if (!match.hasMatch())
        return "the question \"" + drill->Label20->text() + "\" is not a number, a sign, a number and =";
    problem.FirstOperand = match.captured(1).toInt();
    problem.SecondOperand = match.captured(3).toInt();
    problem.Answer = drill->kind() == DrillKind::Addition ? problem.FirstOperand + problem.SecondOperand
                                                          : problem.FirstOperand - problem.SecondOperand;
    problem.QuestionText = drill->Label20->text().toStdString();
    problem.CorrectSlot = drill->state().CorrectSlot;
    if (problem.CorrectSlot < 1 || problem.CorrectSlot > 4)
        return QStringLiteral("the state holds slot %1").arg(problem.CorrectSlot);

    std::size_t decoy = 0;
    for (int slot = 1; slot <= 4; ++slot) {
        const QString text = drill->CandidateLabel(slot)->text();
        problem.CandidateTexts[static_cast<std::size_t>(slot - 1)] = text.toStdString();
        if (slot != problem.CorrectSlot) {
            bool number = false;
            problem.Decoys[decoy++] = text.toInt(&number);
            if (!number)
                return "candidate " + QString::number(slot) + " \"" + text + "\" is not a number";
        }
    }
    return {};
}

// Why a drill window does not show what its model says, or an empty string.
QString Inconsistency(const DrillForm* drill, const DrillModel& model, int presses)
{
    const DrillState& state = drill->state();
    if (state.RangeLimit != model.limit)
        return QStringLiteral("the range in force is %1, not %2").arg(state.RangeLimit).arg(model.limit);
    if (drill->Label25->text() != Readout(model.limit))
        return "the readout is \"" + drill->Label25->text() + "\" under the range " + QString::number(model.limit);
    if (presses != model.presses)
        return QStringLiteral("the next-problem button was pressed %1 times, not %2").arg(presses).arg(model.presses);
    if (!model.problem.isEmpty() && ProblemTexts(drill) != model.problem)
        return "the problem changed without a press: " + ProblemTexts(drill).join(' ');

    Problem problem;
    const QString unreadable = ReadProblem(drill, problem);
    if (!unreadable.isEmpty())
        return unreadable;
    // The range may have changed since the problem was made; the generator's rules hold for
    // the range it was made under.
    const DrillState asMade{model.madeAt, state.CorrectSlot};
    const std::string broken = sweep::CheckProblem(problem, {drill->kind(), model.opening, model.madeAt}, asMade);
    if (!broken.empty())
        return QString::fromStdString(broken) + " under the range " + QString::number(model.madeAt);

    if (drill->Image1->isVisibleTo(drill) != model.wrong || drill->Image2->isVisibleTo(drill) != model.right)
        return QStringLiteral("pictures wrong %1 right %2, the table says wrong %3 right %4")
            .arg(drill->Image1->isVisibleTo(drill))
            .arg(drill->Image2->isVisibleTo(drill))
            .arg(model.wrong)
            .arg(model.right);
    return {};
}

} // namespace

// Counts the requests to open a web page.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    int requests = 0;

public slots:
    void open(const QUrl&) { ++requests; }
};

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        RegisterBundledFonts();
        bool given = false;
        seed_ = qEnvironmentVariable("SHULIN_MONKEY_SEED").toUInt(&given);
        if (!given)
            seed_ = std::random_device{}();
        qInfo("monkey seed %u (SHULIN_MONKEY_SEED=%u repeats this run)", seed_, seed_);
    }

    void cleanupTestCase() { ProgramRandomSource().SetClock(SystemMillisecondOfDay); }

    void randomEventsShouldKeepEveryWindowConsistent()
    {
        std::mt19937 random(seed_);
        // The clock that every problem is reseeded from follows the seed too.
        ProgramRandomSource().SetClock([&random] {
            return static_cast<MillisecondOfDay>(std::uniform_int_distribution<int>(0, 86'399'999)(random));
        });
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        std::map<QString, int> hits;

        for (session_ = 1; session_ <= kSessions; ++session_) {
            RunSession(random, catcher, hits);
            DestroyForms();
            if (QTest::currentTestFailed())
                break;
        }
        QDesktopServices::unsetUrlHandler("https");
        if (QTest::currentTestFailed())
            return;

        // The events reached every control and the bare area of every window.
        QStringList missed;
        CreateForms();
        for (int form = 1; form <= 3; ++form) {
            for (const QWidget* control : Window(form)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!hits.contains(QStringLiteral("Form%1/%2").arg(form).arg(control->objectName())))
                    missed << QStringLiteral("Form%1/%2").arg(form).arg(control->objectName());
            }
            if (!hits.contains(QStringLiteral("Form%1/bare").arg(form)))
                missed << QStringLiteral("Form%1/bare").arg(form);
        }
        DestroyForms();
        QVERIFY2(missed.isEmpty(), qPrintable(Where() + ": never reached " + missed.join(' ')));

        int events[4] = {};
        for (const auto& [target, count] : hits)
            events[target.mid(4, 1).toInt()] += count;
        qInfo("pointer events on the main window %d, the addition window %d, the subtraction window %d; %d home page requests",
            events[1], events[2], events[3], catcher.requests);
    }

private:
    QString Where() const
    {
        return QStringLiteral("seed %1, session %2, event %3 (%4)").arg(seed_).arg(session_).arg(event_).arg(what_);
    }

    void RunSession(std::mt19937& random, UrlCatcher& catcher, std::map<QString, int>& hits)
    {
        CreateForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));

        int onScreen = 1;
        int credits = catcher.requests;
        DrillModel models[2];
        int presses[2] = {0, 0};
        for (int form = 2; form <= 3; ++form) {
            models[form - 2].problem = ProblemTexts(Drill(form));
            QObject::connect(Drill(form)->Button1, &QPushButton::clicked, [&presses, form] { ++presses[form - 2]; });
        }
        auto chance = [&random](int percent) { return std::uniform_int_distribution<int>(0, 99)(random) < percent; };
        auto pick = [&random](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };

        for (event_ = 1; event_ <= kEventsPerSession; ++event_) {
            QWidget* window = Window(onScreen);
            const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);

            // A point in a random control (hidden pictures included) or anywhere in the window.
            auto randomPoint = [&]() {
                const QRect area = chance(60) ? controls[pick(static_cast<int>(controls.size()))]->geometry() : window->rect();
                return QPoint(area.left() + pick(area.width()), area.top() + pick(area.height()));
            };
            auto targetAt = [&](QPoint point) {
                QWidget* hit = window->childAt(point);
                hits[QStringLiteral("Form%1/%2").arg(onScreen).arg(hit ? hit->objectName() : QStringLiteral("bare"))]++;
                return hit;
            };

            // Carry out one event and find the control it clicks, if any.
            QWidget* clicked = nullptr;
            const int kind = pick(100);
            if (kind < 60) {
                const QPoint at = randomPoint();
                what_ = QStringLiteral("left click at %1,%2").arg(at.x()).arg(at.y());
                clicked = targetAt(at);
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
            } else if (kind < 70) {
                const QPoint at = randomPoint();
                const Qt::MouseButton button = chance(50) ? Qt::RightButton : Qt::MiddleButton;
                what_ = QStringLiteral("%1 click at %2,%3").arg(button == Qt::RightButton ? "right" : "middle").arg(at.x()).arg(at.y());
                targetAt(at);
                QTest::mouseClick(window->windowHandle(), button, {}, at);
            } else if (kind < 80) {
                // Pressed in one place and let go in another: a click only if both lie in one control.
                const QPoint from = randomPoint();
                QPoint to = chance(50) ? randomPoint() : from + QPoint(pick(41) - 20, pick(41) - 20);
                to = QPoint(std::clamp(to.x(), 0, window->width() - 1), std::clamp(to.y(), 0, window->height() - 1));
                what_ = QStringLiteral("drag from %1,%2 to %3,%4").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
                QWidget* pressed = targetAt(from);
                QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, from);
                QTest::mouseMove(window->windowHandle(), to);
                QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, to);
                if (pressed && pressed->geometry().contains(to))
                    clicked = pressed;
            } else {
                static const Qt::Key keys[] = {Qt::Key_Space, Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape,
                    Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_A,
                    Qt::Key_Q, Qt::Key_W, Qt::Key_0, Qt::Key_5, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Equal, Qt::Key_F1,
                    Qt::Key_F4, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete};
                const Qt::Key key = keys[pick(static_cast<int>(std::size(keys)))];
                static const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier,
                    Qt::ControlModifier, Qt::AltModifier};
                const Qt::KeyboardModifiers modifier =
                    key == Qt::Key_Space ? Qt::NoModifier : modifiers[pick(static_cast<int>(std::size(modifiers)))];
                what_ = "key " + QKeySequence(QKeyCombination(modifier, key)).toString();
                QTest::keyClick(window->windowHandle(), key, modifier);
                // Only the space bar presses the focused button; the main window has no focus.
                if (key == Qt::Key_Space && onScreen != 1)
                    clicked = Drill(onScreen)->Button1;
            }

            // What the click does, by the tables of the windows.
            if (onScreen == 1 && clicked == Form1->Label2) {
                onScreen = 2;
            } else if (onScreen == 1 && clicked == Form1->Label3) {
                onScreen = 3;
            } else if (onScreen == 1 && clicked == Form1->Label4) {
                ++credits;
            } else if (onScreen != 1 && clicked) {
                DrillForm* drill = Drill(onScreen);
                DrillModel& model = models[onScreen - 2];
                const QString name = clicked->objectName();
                const int number = name.mid(5).toInt();
                if (clicked == drill->Button1) {
                    model.wrong = model.right = false;
                    model.opening = false;
                    model.madeAt = model.limit;
                    ++model.presses;
                    model.problem.clear(); // a new one, checked against the rules alone
                } else if (name.startsWith("Label") && number >= 1 && number <= 19) {
                    model.limit = RangeOptions[static_cast<std::size_t>(number - 1)].Limit;
                } else if (name.startsWith("Label") && number >= 21 && number <= 24) {
                    (number - 20 == drill->state().CorrectSlot ? model.right : model.wrong) = true;
                }
            }
            if (onScreen != 1 && !Drill(onScreen)->isActiveWindow())
                QVERIFY2(QTest::qWaitForWindowActive(Window(onScreen)), qPrintable(Where() + ": the drill window is not active"));

            // The windows against the model.
            for (int form = 1; form <= 3; ++form) {
                QVERIFY2(Window(form)->isVisible() == (form == onScreen),
                    qPrintable(Where() + QStringLiteral(": Form%1 is %2").arg(form).arg(Window(form)->isVisible() ? "shown" : "hidden")));
            }
            QVERIFY2(catcher.requests == credits,
                qPrintable(Where() + QStringLiteral(": %1 requests for the home page, not %2").arg(catcher.requests).arg(credits)));
            for (int form = 2; form <= 3; ++form) {
                const QString why = Inconsistency(Drill(form), models[form - 2], presses[form - 2]);
                QVERIFY2(why.isEmpty(), qPrintable(Where() + QStringLiteral(": Form%1: ").arg(form) + why));
                models[form - 2].problem = ProblemTexts(Drill(form));
            }
        }
    }

    unsigned seed_ = 0;
    int session_ = 0;
    int event_ = 0;
    QString what_;
};

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
