// GoogleTest over a QApplication; CTest runs these on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
