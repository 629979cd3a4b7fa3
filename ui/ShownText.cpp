#include "ui/ShownText.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVariant>

namespace {

// Marks the lists set up here; their accessible interface is the one below.
const char* const ShownTextProperty = "termixShownText";
// The field's own hint, kept ahead of the text in the tooltip.
const char* const HintProperty = "termixHint";

// The first `limit` characters of text, one fewer when the cut would split a UTF-16 pair.
QString TextStart(const QString& text, int limit) {
  if (text.size() <= limit) return text;
  if (text.at(limit - 1).isHighSurrogate()) --limit;
  return text.left(limit);
}

QString TooltipFor(const QObject* control, const QString& text) {
  const QString hint = control->property(HintProperty).toString();
  if (hint.isEmpty()) return TooltipText(text);
  if (text.isEmpty()) return hint;
  return TooltipText(hint + "\n" + text);
}

void RememberHint(QWidget* control) {
  if (!control->property(HintProperty).isValid())
    control->setProperty(HintProperty, control->toolTip());
}

// A list as assistive technology sees it: the label names it (the toolkit's own interface
// names a list by its text on some systems) and the shown text is its value, the placeholder
// included. Its children are the pop-up list and, when editable, the line.
class TListAccessible : public QAccessibleWidget {
public:
  explicit TListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QComboBox* List() const { return static_cast<QComboBox*>(widget()); }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return ShownText(List());
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = List()->view() && List()->view()->isVisible();
    s.editable = List()->isEditable();
    return s;
  }

  int childCount() const override { return List()->isEditable() ? 2 : 1; }

  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(List()->view());
    if (index == 1 && List()->isEditable())
      return QAccessible::queryAccessibleInterface(List()->lineEdit());
    return nullptr;
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child) return -1;
    if (child->object() == List()->view()) return 0;
    if (List()->isEditable() && child->object() == List()->lineEdit()) return 1;
    return -1;
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) {
      if (List()->view() && List()->view()->isVisible())
        List()->hidePopup();
      else
        List()->showPopup();
      return;
    }
    QAccessibleWidget::doAction(action);
  }
};

QAccessibleInterface* ListAccessibleFactory(const QString& className, QObject* object) {
  auto* list = qobject_cast<QComboBox*>(object);
  if (list && className == QLatin1String(object->metaObject()->className()) &&
      list->property(ShownTextProperty).toBool())
    return new TListAccessible(list);
  return nullptr;
}

void InstallListAccessibleFactory() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(ListAccessibleFactory);
}

void ShowStartOfLine(QLineEdit* field) {
  // A text set by the program is not "modified"; one the user types is, and stays as typed.
  if (!field->isModified()) field->setCursorPosition(0);
}

// Coming into focus, a line selects its whole text with the cursor at the end, which scrolls
// the start out of sight; the same selection is made from the end back to the start.
class TStartOnFocus : public QObject {
public:
  // The focus arrives at `owner`: the line itself, or the list that passes its focus on.
  TStartOnFocus(QWidget* owner, QLineEdit* line) : QObject(line), Line(line) {
    owner->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn)
      QTimer::singleShot(0, Line, [line = Line] {
        if (line->isModified()) return;
        const int length = static_cast<int>(line->text().size());
        if (line->hasSelectedText() && line->selectedText().size() == length)
          line->setSelection(length, -length);
        else
          line->setCursorPosition(0);
      });
    return QObject::eventFilter(watched, event);
  }

private:
  QLineEdit* Line;
};

void KeepLineStart(QWidget* owner, QLineEdit* line) {
  new TStartOnFocus(owner, line);
  ShowStartOfLine(line);
}

} // namespace

QString ShownTextStart(const QString& text) {
  return TextStart(text, ShownTextLimit);
}

QString TooltipText(const QString& text) {
  if (text.size() <= TooltipTextLimit) return text;
  return TextStart(text, TooltipTextLimit - 1) + QStringLiteral("…");
}

void ShowTextStart(QLineEdit* field) {
  RememberHint(field);
  QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
    ShowStartOfLine(field);
    field->setToolTip(TooltipFor(field, text));
  });
  KeepLineStart(field, field);
  field->setToolTip(TooltipFor(field, field->text()));
}

QString ShownText(const QComboBox* list) {
  if (list->isEditable() && list->lineEdit()) return list->lineEdit()->text();
  if (list->currentIndex() >= 0) return list->currentText();
  return list->placeholderText();
}

void RefreshShownText(QComboBox* list) {
  const QString text = ShownText(list);
  list->setToolTip(TooltipFor(list, text));
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(list, text);
    QAccessible::updateAccessibility(&event);
  }
}

void ShowTextStart(QComboBox* list) {
  InstallListAccessibleFactory();
  list->setProperty(ShownTextProperty, true);
  // An interface made before (by an accessibility event of the list's setting up) would stay
  // in the toolkit's cache; it goes, so that the next question gets the one above.
  QAccessibleInterface* known = QAccessible::queryAccessibleInterface(list);
  if (known && !dynamic_cast<TListAccessible*>(known))
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
  RememberHint(list);
  if (QLineEdit* line = list->lineEdit()) {
    QObject::connect(line, &QLineEdit::textChanged, list, [list, line] {
      ShowStartOfLine(line);
      RefreshShownText(list);
    });
    KeepLineStart(list, line);
  } else {
    QObject::connect(list, &QComboBox::currentTextChanged, list,
                     [list] { RefreshShownText(list); });
  }
  RefreshShownText(list);
}
