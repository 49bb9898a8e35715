// FormSettingsBinding: see the header.
#include "app/FormSettingsBinding.h"

#include <QList>
#include <cassert>

#include "app/FormMain.h"

namespace zetgallery {

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

QString Message(const char* format, const TSettingRow& row, const char* controlName) {
  return QString::fromUtf8(format).arg(QString::fromLatin1(row.Name),
                                       QString::fromLatin1(controlName));
}

// The one control named `name` below `form`, of kind T, or an error naming `row`.
template <typename T>
T* FindControl(const QWidget& form, const TSettingRow& row, const char* name, QString& error) {
  if (name == nullptr) name = "";
  const QList<QWidget*> named = form.findChildren<QWidget*>(QString::fromLatin1(name));
  if (named.size() > 1) {
    error = Message(WindowTexts::kSettingWithTwoControls, row, name);
    return nullptr;
  }
  T* control = named.isEmpty() ? nullptr : qobject_cast<T*>(named.first());
  if (control == nullptr) error = Message(WindowTexts::kSettingWithoutControl, row, name);
  return control;
}

// Fills `bound` for `row`; false with `error` set when the control is not there as needed.
bool BindRow(const QWidget& form, const TSettingRow& row, TBoundSetting& bound, QString& error) {
  bound.Row = &row;
  const char* name = row.ControlName;
  switch (row.Control) {
    case TControlKind::Edit: {
      // A text edit, a folder or file edit, or a combo box one may type into.
      auto* control = FindControl<QWidget>(form, row, name, error);
      bound.Edit = qobject_cast<QLineEdit*>(control);
      auto* combo = qobject_cast<QComboBox*>(control);
      if (combo != nullptr && combo->isEditable()) bound.Combo = combo;
      if (control != nullptr && bound.Edit == nullptr && bound.Combo == nullptr)
        error = Message(WindowTexts::kSettingWithoutControl, row, name);
      return bound.Edit != nullptr || bound.Combo != nullptr;
    }
    case TControlKind::DropDown: {
      bound.Combo = FindControl<QComboBox>(form, row, name, error);
      if (bound.Combo == nullptr) return false;
      if (bound.Combo->isEditable()) {
        error = Message(WindowTexts::kSettingWithoutControl, row, name);
        return false;
      }
      // The result-folder list is filled from the images folder; the others from the layout.
      if (row.ItemCount > 0 && bound.Combo->count() != row.ItemCount) {
        error = Message(WindowTexts::kSettingListSize, row, name).arg(row.ItemCount);
        return false;
      }
      return true;
    }
    case TControlKind::SpinEdit:
    case TControlKind::TextSpin:
      bound.Spin = FindControl<TSpinEdit>(form, row, name, error);
      return bound.Spin != nullptr;
    case TControlKind::CheckBox:
      bound.Check = FindControl<QCheckBox>(form, row, name, error);
      return bound.Check != nullptr;
    case TControlKind::RadioPair:
      bound.First = FindControl<TRadioButton>(form, row, name, error);
      if (bound.First == nullptr) return false;
      bound.Second = FindControl<TRadioButton>(form, row, row.SecondControlName, error);
      return bound.Second != nullptr;
  }
  return false;
}

}  // namespace

TStatusOr<std::unique_ptr<TSettingsBindings>> TSettingsBindings::Bind(const QWidget& form) {
  std::unique_ptr<TSettingsBindings> bindings(new TSettingsBindings);
  for (size_t i = 0; i < kSettingsTable.size(); ++i) {
    QString problem;
    if (!BindRow(form, kSettingsTable[i], bindings->bound_[i], problem))
      return TStatus::NotFound(Utf8(problem));
  }
  return bindings;
}

const TBoundSetting& TSettingsBindings::Of(const TSettingRow& row) const {
  const auto index = static_cast<size_t>(&row - kSettingsTable.data());
  assert(index < bound_.size());
  return bound_[index];
}

void TSettingsBindings::ApplyDesignValues() const {
  for (const TBoundSetting& b : bound_) {
    const TSettingRow& row = *b.Row;
    const QString text = QString::fromUtf8(row.DesignText);
    switch (row.Control) {
      case TControlKind::Edit:
        if (b.Edit != nullptr)
          b.Edit->setText(text);
        else
          b.Combo->setEditText(text);
        break;
      case TControlKind::DropDown:
        b.Combo->setCurrentIndex(row.DesignNumber);
        break;
      case TControlKind::SpinEdit:
        b.Spin->SetLimits(row.Min, row.Max);
        b.Spin->SetValue(row.DesignNumber);
        break;
      case TControlKind::TextSpin:
        b.Spin->SetLimits(row.Min, row.Max);
        b.Spin->SetText(text);
        break;
      case TControlKind::CheckBox:
        b.Check->setChecked(row.DesignNumber != 0);
        break;
      case TControlKind::RadioPair:
        PairRadioButtons(*b.First, *b.Second);
        b.First->setChecked(row.DesignNumber == 0);
        b.Second->setChecked(row.DesignNumber == 1);
        break;
    }
  }
}

TSettingsSnapshot TSettingsBindings::Read() const {
  TSettingsSnapshot s;
  for (const TBoundSetting& b : bound_) {
    const TSettingRow& row = *b.Row;
    switch (row.Control) {
      case TControlKind::Edit:
        s.*row.Text = Utf8(b.Edit != nullptr ? b.Edit->text() : b.Combo->currentText());
        break;
      case TControlKind::TextSpin:
        s.*row.Text = Utf8(b.Spin->Text());
        break;
      case TControlKind::SpinEdit:
        s.*row.Number = b.Spin->Value();
        break;
      case TControlKind::DropDown:
        s.*row.Number = b.Combo->currentIndex();
        break;
      case TControlKind::RadioPair:
        // The first button checked is 0; anything else reads as the second.
        s.*row.Number = b.First->isChecked() ? 0 : 1;
        break;
      case TControlKind::CheckBox:
        s.*row.Check = b.Check->isChecked();
        break;
    }
  }
  return s;
}

}  // namespace zetgallery
