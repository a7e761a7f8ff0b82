#pragma once
// Hostile skin stores, made in code from a good skin and a seed: the store's bytes flipped or
// cut, its size field absurd; the archive's header, size table and name list broken; BMP
// headers broken or declaring huge images; the description with sections and keys missing,
// values absurd, thousands of sections or junk bytes; images swapped, missing or misnamed.
// Kind i % kKinds of the i-th store, its details from the seed.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/skin_reader.h"

struct THostileSkin {
    std::string kind;
    std::vector<uint8_t> store;
};

class THostileSkinMaker {
public:
    static constexpr int kKinds = 17;
    // entries: the good skin's archive entries (images and the .ini description), in order.
    THostileSkinMaker(std::vector<TSkinEntry> entries, uint32_t seed);
    THostileSkin Make(int index);

private:
    std::vector<uint8_t> StoreBitFlips();
    std::vector<uint8_t> StoreCut();
    std::vector<uint8_t> StoreSizeField();
    std::vector<uint8_t> ArchiveBitFlips();
    std::vector<uint8_t> ArchiveHeader();
    std::vector<uint8_t> ArchiveSizeTable();
    std::vector<uint8_t> TooManyNames();
    std::vector<uint8_t> BmpHeader();
    std::vector<uint8_t> BmpCut();
    std::vector<uint8_t> HugeImage();
    std::vector<uint8_t> MissingSections();
    std::vector<uint8_t> MissingKeys();
    std::vector<uint8_t> AbsurdValues();
    std::vector<uint8_t> ThousandsOfSections();
    std::vector<uint8_t> ImagesMixedUp();
    std::vector<uint8_t> DescriptionJunk();
    std::vector<uint8_t> DescriptionMissing();

    // Helpers: the good entries, a copy to change, packing.
    static std::vector<uint8_t> Pack(const std::vector<TSkinEntry>& entries);
    static std::vector<uint8_t> PackArchive(const std::vector<uint8_t>& archive);
    TSkinEntry& RandomImage(std::vector<TSkinEntry>& entries);
    TSkinEntry& Description(std::vector<TSkinEntry>& entries);
    std::vector<std::string> DescriptionLines();
    static std::vector<uint8_t> JoinLines(const std::vector<std::string>& lines);
    void FlipBits(std::vector<uint8_t>& bytes, size_t from, int flips);
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    template <class T>
    T OneOf(std::initializer_list<T> items) {
        return items.begin()[Below(static_cast<int>(items.size()))];
    }

    std::vector<TSkinEntry> good;
    std::vector<uint8_t> goodArchive, goodStore;
    std::mt19937 random;
};
