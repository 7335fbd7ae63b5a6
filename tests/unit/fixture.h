// A fresh application on the fake window system for each test.
#pragma once

#include <gtest/gtest.h>

#include "Fake.h"
#include "Forms.h"
#include "fr_msg.h"
#include "fr_utama.h"

class OnFake : public ::testing::Test {
 protected:
  OnFake() {
    auto platform = std::make_unique<fake::Platform>();
    fake = platform.get();
    app = std::make_unique<vcl::TApplication>();
    app->Title = "Setup";
    app->UsePlatform(std::move(platform));
    saved_ = vcl::Application;
    vcl::Application = app.get();
    frm_utama = nullptr;
    frm_msg = nullptr;
  }
  ~OnFake() override {
    app.reset();
    vcl::Application = saved_;
    frm_utama = nullptr;
    frm_msg = nullptr;
  }
  // The launcher, made as start-up makes it (its grow-in runs inside).
  fake::Window& Launcher() {
    app->CreateForm<Tfrm_utama>(frm_utama);
    return *fake->Find("frm_utama");
  }

  fake::Platform* fake = nullptr;
  std::unique_ptr<vcl::TApplication> app;

 private:
  vcl::TApplication* saved_ = nullptr;
};
