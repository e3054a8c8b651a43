// TkFilterComboBox: a skinned drop-down list of file types built from a filter of description
// and mask pairs separated by "|" ("Text files (*.txt)|*.txt|All files (*.*)|*.*"); GetMask
// gives the mask of the selected type.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "skin/controls/combo_box.h"

namespace skin {

// The filter a new filter combo shows.
inline constexpr const char* kAllFilesFilter = "All files (*.*)|*.*";

// The (description, mask) pairs of a filter, in order; a description at the end without a "|"
// after it is dropped, one followed by "|" and nothing else has an empty mask.
std::vector<std::pair<std::string, std::string>> ParseFilter(const std::string& filter);

class TkFilterComboBox : public TkCustomComboBox {
  FW_CLASS(TkFilterComboBox, TkCustomComboBox)
 public:
  explicit TkFilterComboBox(fw::TComponent* owner);

  const std::string& GetFilter() const { return FFilter; }
  // A filter equal to the current one but for letter case changes nothing; otherwise the list
  // is built again (when the window exists) and OnChange runs.
  void SetFilter(const std::string& value);
  // The mask of the selected type (the last one is selected when none is); "*.*" without types.
  std::string GetMask();

 protected:
  ~TkFilterComboBox() override = default;
  void CreateWnd() override;
  // A chosen type: Click tells of the change, so Select only runs OnSelect (one OnChange).
  void Click() override;
  void Select() override;

 private:
  void BuildList();

  std::string FFilter = kAllFilesFilter;
  std::vector<std::string> FMasks;
};

}  // namespace skin
