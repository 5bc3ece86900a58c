#include "component/status.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace dnovar {
namespace {

TEST(Status, StatusesStandForTheRunTimeErrorsTheirCallersRaise) {
  struct Case {
    Status status;
    int number;
    const char* message;
  };
  const Case cases[] = {
      {Status::member_not_found, 438, "Object doesn't support this property or method"},
      {Status::bad_param_count, 450, "Wrong number of arguments or invalid property assignment"},
      {Status::type_mismatch, 13, "Type mismatch"},
      {Status::overflow, 6, "Overflow"},
      {Status::no_interface, 430,
       "Class does not support Automation or does not support expected interface"},
      {Status::class_not_registered, 429, "Class not registered"},
      {static_cast<Status>(0x800A000D), 13, "Type mismatch"},
      {static_cast<Status>(0x800A0006), 6, "Overflow"},
      {static_cast<Status>(0x800A0154), 340, "Control array element doesn't exist"},
      {static_cast<Status>(0x80070005), static_cast<int>(0x80070005),
       "Automation error 0x80070005"},
  };
  for (const Case& c : cases) {
    const RuntimeError error = error_from_status(c.status);
    EXPECT_EQ(error.number(), c.number) << status_text(c.status);
    EXPECT_STREQ(error.what(), c.message) << status_text(c.status);
  }
}

TEST(Status, RunTimeErrorsRoundTripWithAndWithoutExceptionInfo) {
  const RuntimeError errors[] = {
      RuntimeError(6, "Overflow"),
      RuntimeError(13, "Type mismatch"),
      RuntimeError(340, "Control array element '40' doesn't exist"),
      RuntimeError(321, "Invalid file format: x.json: truncated"),
  };
  for (const RuntimeError& error : errors) {
    ExceptionInfo info;
    const Status with_info = status_from_error(error, &info);
    EXPECT_EQ(with_info, Status::exception);
    EXPECT_EQ(info.status, control_error_status(error.number()));
    const RuntimeError back = error_from_status(with_info, &info);
    EXPECT_EQ(back.number(), error.number());
    EXPECT_STREQ(back.what(), error.what());

    const Status without_info = status_from_error(error, nullptr);
    EXPECT_TRUE(failed(without_info));
    EXPECT_EQ(static_cast<std::uint32_t>(without_info),
              0x800A0000u | static_cast<std::uint32_t>(error.number()));
    EXPECT_EQ(error_from_status(without_info).number(), error.number());
  }
}

TEST(Status, UnmappedStatusesKeepTheirValueAsTheErrorNumber) {
  const Status status = static_cast<Status>(0x80070005);
  const RuntimeError error = error_from_status(status);
  EXPECT_EQ(control_error_status(error.number()), status);
}

TEST(Status, GuardedCallTurnsEveryFailureIntoAStatus) {
  ExceptionInfo info;
  EXPECT_EQ(guarded_call(&info, [] { return Status::ok_false; }), Status::ok_false);
  EXPECT_EQ(guarded_call(&info, []() -> Status { throw RuntimeError(13, "Type mismatch"); }),
            Status::exception);
  EXPECT_EQ(info.number, 13);
  EXPECT_EQ(guarded_call(&info, []() -> Status { throw std::length_error("too long"); }),
            Status::exception);
  EXPECT_EQ(info.number, 51);
  EXPECT_EQ(info.description, "Internal error: too long");
  EXPECT_EQ(guarded_call(nullptr, []() -> Status { throw std::bad_alloc(); }),
            control_error_status(7));
  EXPECT_EQ(guarded_call(nullptr, []() -> Status { throw 42; }), control_error_status(51));
}

TEST(Status, CheckStatusRaisesOnlyFailures) {
  EXPECT_NO_THROW(check_status(Status::ok));
  EXPECT_NO_THROW(check_status(Status::ok_false));
  try {
    check_status(Status::member_not_found);
    FAIL() << "no error raised";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.number(), 438);
  }
}

}  // namespace
}  // namespace dnovar
