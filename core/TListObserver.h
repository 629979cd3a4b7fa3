#pragma once
// What a polynomial tells an observer while AddMonom puts a monomial in its place: every link
// the walk reads, then the insertion before the current link, the merge into the link with
// the equal index or the deletion of that link when the merged coefficient is 0. A polynomial
// has no observer unless one is set; then AddMonom only tests a pointer.

namespace LISTSTRUCT {

enum class TListEventKind {
  Visit,  // the walk reads the current link: its monomial is (Coeff, Index)
  Insert, // the new monomial (Coeff, Index) goes in before the current link and takes its place
  Merge,  // the current link, of the equal index, gets the coefficient sum Coeff
  Remove, // the coefficient sum at the current link is 0: the link is deleted
};

struct TListEvent {
  TListEventKind Kind = TListEventKind::Visit;
  int Position = 0;   // the current link's position from 0; the list length at the head
  float Coeff = 0.0f; // see the kinds
  int Index = -1;     // Visit: the current monomial's index (-1 the head's sentinel); else the
                      // index added
};

class TListObserver {
public:
  virtual ~TListObserver() = default;
  virtual void Notice(const TListEvent& event) = 0;
};

} // namespace LISTSTRUCT
