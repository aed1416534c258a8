#include "core/lists/merge_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/general.h"
#include "core/strings/string.h"
#include "core/strings/text.h"

namespace {

class failingCompare : public fMergeSortCompare {
 public:
  int calls = 0;
  int failAtCall = -1;
  int8_t call(const char* a, const char* b) override {
    if (calls++ == failAtCall) Throw("TEST", "comparator failed");
    return fMergeSortCompare::call(a, b);
  }
};

char* chainOf(const std::vector<std::string>& texts) {
  char* head = nullptr;
  char* tail = nullptr;
  for (const std::string& t : texts) head = appendNode(head, tail, StrClone(t.c_str()), &tail);
  return head;
}

std::vector<std::string> textsOf(const char* chain) {
  std::vector<std::string> out;
  for (const char* s = chain; s; s = StrNext(s)) out.push_back(s);
  return out;
}

std::vector<std::string> stableSorted(std::vector<std::string> v) {
  std::stable_sort(v.begin(), v.end(),
                   [](const std::string& a, const std::string& b) { return OstrCmpNoCase(a.c_str(), b.c_str()) > 0; });
  return v;
}

class MergeSort : public ::testing::Test {
 protected:
  void SetUp() override {
    new_pgeneral();
    baseline = Arena::liveCount();
  }
  void TearDown() override {
    EXPECT_EQ(Arena::liveCount(), baseline);
    end_pgeneral();
  }
  size_t baseline = 0;
};

TEST_F(MergeSort, AppendNodeAndAppendList) {
  char* tail = nullptr;
  char* a = StrClone("a");
  StrLink(a, StrClone("x"));  // appendNode cuts what followed the node
  char* x = StrNext(a);
  char* head = appendNode(nullptr, nullptr, a, &tail);
  EXPECT_EQ(head, a);
  EXPECT_EQ(tail, a);
  EXPECT_EQ(StrNext(a), nullptr);
  head = appendNode(head, tail, StrClone("b"), &tail);
  EXPECT_EQ(textsOf(head), (std::vector<std::string>{"a", "b"}));

  char* more = chainOf({"c", "d"});
  head = appendList(head, tail, more, StrLast(more), &tail);
  EXPECT_EQ(textsOf(head), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_STREQ(tail, "d");
  char* only = chainOf({"e"});
  char* onlyTail = nullptr;
  EXPECT_EQ(appendList(nullptr, nullptr, only, only, &onlyTail), only);
  EXPECT_EQ(onlyTail, only);
  EXPECT_EQ(appendList(head, tail, nullptr, nullptr, &tail), head);
  EXPECT_STREQ(tail, "d");
  DisposeString(head);
  DisposeString(only);
  DisposeString(x);
}

TEST_F(MergeSort, EveryPermutationSortsStablyIgnoringCase) {
  EXPECT_EQ(mergeSort(nullptr, nullptr), nullptr);
  // "b" and "B" are equal keys: their order must survive.
  const std::vector<std::string> pool = {"b", "a", "B", "c", "A", "d"};
  for (size_t n = 1; n <= pool.size(); ++n) {
    std::vector<size_t> index(n);
    for (size_t i = 0; i < n; ++i) index[i] = i;
    do {
      std::vector<std::string> input;
      for (size_t i : index) input.push_back(pool[i]);
      char* sorted = mergeSort(chainOf(input), nullptr);
      EXPECT_EQ(textsOf(sorted), stableSorted(input));
      DisposeString(sorted);
    } while (std::next_permutation(index.begin(), index.end()));
  }
}

TEST_F(MergeSort, RandomChainsMatchStableSort) {
  std::mt19937 random(99);
  for (int round = 0; round < 100; ++round) {
    std::vector<std::string> input;
    const int n = static_cast<int>(random() % 60);
    for (int i = 0; i < n; ++i) input.push_back(std::string(1, static_cast<char>("aAbBcCdD"[random() % 8])));
    char* sorted = mergeSort(chainOf(input), nullptr);
    EXPECT_EQ(textsOf(sorted), stableSorted(input));
    DisposeString(sorted);
  }
}

TEST_F(MergeSort, AFailingComparatorLeavesEveryStringInTheCallersChain) {
  const std::vector<std::string> input = {"g", "f", "e", "d", "c", "b", "a", "h", "i"};
  for (int failAt : {0, 3, 9, 14}) {
    auto* compare = new failingCompare;
    compare->failAtCall = failAt;
    char* chain = chainOf(input);
    EXPECT_THROW(mergeSort(chain, compare), Exception);
    std::vector<std::string> after = textsOf(chain);
    EXPECT_EQ(after.front(), "g") << "the caller's head must still head the chain";
    std::sort(after.begin(), after.end());
    std::vector<std::string> expected = input;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected);
    DisposeString(chain);
    End(compare);
  }
}

TEST_F(MergeSort, GeneralModuleMakesTheDefaultComparator) {
  ASSERT_NE(defaultMergeSortCompare, nullptr);
  EXPECT_EQ(defaultMergeSortCompare->call("apple", "BANANA"), 1);
  EXPECT_EQ(defaultMergeSortCompare->call("b", "A"), -1);
  EXPECT_EQ(defaultMergeSortCompare->call("Same", "sAME"), 0);
  end_pgeneral();
  EXPECT_EQ(defaultMergeSortCompare, nullptr);
  end_pgeneral();
  char* one = chainOf({"x"});
  EXPECT_THROW(mergeSort(one, nullptr), Exception);
  DisposeString(one);
  new_pgeneral();
}

}  // namespace
