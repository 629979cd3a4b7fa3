#pragma once
// A table record: a polynomial under its name. Stored tells whether the record's current name
// and polynomial are in the table file; every change of either clears it.

#include <string>

#include "core/TDatList.h"
#include "core/TPolinom.h"

namespace TABLESTRUCT {

using LISTSTRUCT::TPolinom;

class TTabRecPol : public LISTSTRUCT::TDatValue {
protected:
  std::string Key; // the polynomial's name, unique within a table
  TPolinom Pol;    // the polynomial, held by value
  bool Stored = false;

public:
  TTabRecPol(const std::string& key, const TPolinom& pol) : Key(key), Pol(pol) {}
  TTabRecPol(const TTabRecPol& other) : Key(other.Key), Pol(other.Pol), Stored(other.Stored) {}
  TTabRecPol& operator=(const TTabRecPol& other) {
    if (this != &other) {
      Key = other.Key;
      Pol = other.Pol;
      Stored = other.Stored;
    }
    return *this;
  }

  // A separate copy of the record (name, polynomial and stored flag).
  LISTSTRUCT::TDatValue* GetCopy() const override { return new TTabRecPol(*this); }

  std::string GetKey() const { return Key; }
  const std::string& KeyRef() const { return Key; }
  // The record keeps ownership; the pointer stays valid until the record changes or goes.
  TPolinom* GetPolinomPtr() { return &Pol; }

  void SetKey(const std::string& key) {
    Key = key;
    Stored = false;
  }
  void SetPolinom(const TPolinom& pol) {
    Pol = pol;
    Stored = false;
  }
  bool IsStored() const { return Stored; }
  void SetStored() { Stored = true; }
};

} // namespace TABLESTRUCT
