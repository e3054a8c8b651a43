// TSet<E>: a Pascal-style set of up to 64 members of an unscoped enum, kept as a bit mask.
#pragma once
#include <cstdint>
#include <initializer_list>

namespace fw {

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(E member) : FBits(Bit(member)) {}
  constexpr TSet(std::initializer_list<E> members) {
    for (E m : members) FBits |= Bit(m);
  }
  // For the numeric bit sets of the program (bit n stands for the member with value n).
  static constexpr TSet FromBits(uint64_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }
  constexpr uint64_t Bits() const { return FBits; }

  constexpr bool Contains(E member) const { return (FBits & Bit(member)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E member) {
    FBits |= Bit(member);
    return *this;
  }
  constexpr TSet& Exclude(E member) {
    FBits &= ~Bit(member);
    return *this;
  }

  constexpr TSet operator+(TSet other) const { return FromBits(FBits | other.FBits); }
  constexpr TSet operator-(TSet other) const { return FromBits(FBits & ~other.FBits); }
  constexpr TSet operator*(TSet other) const { return FromBits(FBits & other.FBits); }
  constexpr TSet& operator+=(TSet other) {
    FBits |= other.FBits;
    return *this;
  }
  constexpr TSet& operator-=(TSet other) {
    FBits &= ~other.FBits;
    return *this;
  }
  constexpr bool operator==(const TSet& other) const = default;
  // True when every member of this set is in other.
  constexpr bool SubsetOf(TSet other) const { return (FBits & ~other.FBits) == 0; }

 private:
  static constexpr uint64_t Bit(E member) { return uint64_t(1) << static_cast<unsigned>(member); }
  uint64_t FBits = 0;
};

}  // namespace fw
