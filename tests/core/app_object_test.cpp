#include "core/app_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/arena.h"
#include "core/exception.h"
#include "core/runtime.h"

namespace {

std::vector<std::string> calls;

class recordingClient : public cAppClient {
  LUDEX_CLASS(recordingClient, cAppClient)
 public:
  void finishBuilding(cApp*) override { calls.push_back(name + ".finishBuilding"); }
  void appIsBuilt(cApp*) override { calls.push_back(name + ".appIsBuilt"); }
  void reset(cApp*) override { calls.push_back(name + ".reset"); }
  void minimise(cApp*, bool flag) override { calls.push_back(name + (flag ? ".minimise(1)" : ".minimise(0)")); }
  std::string name;
};

class countedResource : public cAppResource {
  LUDEX_CLASS(countedResource, cAppResource)
 public:
  void end_class() override {
    calls.push_back("end " + std::to_string(id));
    cAppResource::end_class();
  }
  int id = 0;
};

std::string emuMessage(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return IdText(e.id()) + " " + (e.message() ? e.message() : "");
  }
  return "no error";
}

class AppObject : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    app = new cApp;
    app->new_cApp();
    for (const char* n : {"one", "two"}) {
      auto* c = new recordingClient;
      c->new_cAppClient();
      c->name = n;
      app->registerClient(c);
      clients.push_back(c);
    }
  }
  void TearDown() override {
    for (recordingClient* c : clients) End(c);
    End(app);
  }
  cApp* app = nullptr;
  std::vector<recordingClient*> clients;
};

TEST_F(AppObject, BuildFinishesEveryClientBeforeAnyIsBuilt) {
  EXPECT_EQ(emuMessage([&] { app->build(); }), " EMU cApp.build(); initTitle() was not used");
  EXPECT_EQ(emuMessage([&] { app->minimise(true); }), " EMU cApp.minimise(); app has not been built yet");
  app->initTitle("Ludex")->initDescription("games");
  app->build();
  EXPECT_EQ(calls, (std::vector<std::string>{"one.finishBuilding", "two.finishBuilding", "one.appIsBuilt",
                                             "two.appIsBuilt"}));
  EXPECT_EQ(emuMessage([&] { app->build(); }), " EMU cApp.build(); already used build()");
  calls.clear();
  app->minimise(true);
  EXPECT_EQ(calls, (std::vector<std::string>{"one.minimise(1)", "two.minimise(1)"}));
}

TEST_F(AppObject, UnregisteredClientsAreReachedNoMore) {
  auto* three = new recordingClient;
  three->name = "three";
  app->registerClient(three);
  clients.push_back(three);
  app->unregisterClient(clients[0]);  // first
  app->unregisterClient(three);       // last
  app->unregisterClient(three);       // not registered: nothing
  app->reset();
  EXPECT_EQ(calls, std::vector<std::string>{"two.reset"});
  EXPECT_EQ(app->firstClient, clients[1]);
  EXPECT_EQ(app->lastClient, clients[1]);
  app->registerClient(three);  // after the remaining one
  calls.clear();
  app->reset();
  EXPECT_EQ(calls, (std::vector<std::string>{"two.reset", "three.reset"}));
}

TEST_F(AppObject, ResetClearsDescriptionButKeepsClientsAndNumbers) {
  app->initTitle("t")->initAuthor("a")->initFullScreen(640, 480);
  EXPECT_EQ(emuMessage([&] { app->initFullWindow(); }), " EMU cApp.initFullWindow(); already used initFullScreen()");
  app->build();
  calls.clear();
  app->reset();
  EXPECT_EQ(app->infoTitle(), nullptr);
  EXPECT_EQ(app->infoAuthor(), nullptr);
  int32_t a = 0, b = 0;
  EXPECT_FALSE(app->infoFullScreen(&a, &b));
  EXPECT_EQ(a, 640);
  EXPECT_EQ(b, 480);
  EXPECT_FALSE(app->infoIsBuilt());
  EXPECT_EQ(calls, (std::vector<std::string>{"one.reset", "two.reset"}));
  app->initTitle("again");
  app->initFullWindow();
  EXPECT_EQ(emuMessage([&] { app->initFullScreen(1, 2); }), " EMU cApp.initFullScreen(); already used initFullWindow()");
  EXPECT_EQ(emuMessage([&] { app->registerClient(nullptr); }), " EMU cApp.registerClient(); client=NIL");
}

TEST_F(AppObject, ResourcesUnlinkFromAnyPositionAndEndFirstToLast) {
  recordingClient* c = clients[0];
  countedResource* r[3];
  for (int i = 0; i < 3; ++i) {
    r[i] = new countedResource;
    r[i]->id = i;
    c->add(r[i]);
    EXPECT_EQ(r[i]->owner, c);
  }
  EXPECT_EQ(c->rem(r[1]), r[1]);
  EXPECT_EQ(r[0]->next, r[2]);
  EXPECT_EQ(r[2]->prev, r[0]);
  EXPECT_EQ(c->infoFirstResource(), r[0]);
  cAppResource* middle = r[1];
  End(middle);
  calls.clear();
  End(clients[0]);
  clients.erase(clients.begin());
  EXPECT_EQ(calls, (std::vector<std::string>{"end 0", "end 2"}));
  EXPECT_EQ(emuMessage([&] { clients[0]->add(nullptr); }), " EMU cAppClient.add(); res=NIL");
}

TEST_F(AppObject, RemovingAnotherClientsResourceIsRefusedWithoutHarm) {
  auto* mine = new countedResource;
  auto* theirs = new countedResource;
  auto* also = new countedResource;
  clients[0]->add(mine);
  clients[0]->add(also);
  clients[1]->add(theirs);
  // A longer list than one resource: still refused, and neither list changes.
  EXPECT_EQ(emuMessage([&] { clients[0]->rem(theirs); }), " BUG cAppClient.rem(); resource is not in the list");
  EXPECT_EQ(clients[1]->infoFirstResource(), theirs);
  EXPECT_EQ(clients[0]->infoFirstResource(), mine);
  EXPECT_EQ(mine->next, also);
  EXPECT_EQ(clients[0]->lastResource, also);
  EXPECT_EQ(emuMessage([&] { clients[1]->rem(mine); }), " BUG cAppClient.rem(); resource is not in the list");
}

TEST(AppModule, CreateAppNamesTheAppAfterTheProgramFile) {
  const size_t before = Arena::liveCount();
  EXPECT_EQ(emuMessage([] { MinimiseApp(true); }), " EMU cApp; MinimiseApp(); app has not been created yet");
  new_capp();
  char arg0[] = "Work:Games/bin/Ludex";
  char* argv[] = {arg0, nullptr};
  setProgramArguments(1, argv);
  EXPECT_STREQ(CreateApp(nullptr)->infoTitle(), "Ludex");
  EXPECT_STREQ(CreateApp("Named")->infoTitle(), "Named");
  char arg1[] = "C:\\bin\\Other";
  argv[0] = arg1;
  EXPECT_STREQ(CreateApp(nullptr)->infoTitle(), "Other");
  EXPECT_EQ(emuMessage([] { appHost->setScreen(reinterpret_cast<Screen*>(8)); appHost->setScreen(nullptr); }),
            " EMU cAppHost.setScreen(); the screen has already been set");
  DestroyApp();
  EXPECT_EQ(appHost->getScreen(), nullptr);
  EXPECT_EQ(appHost->infoTitle(), nullptr);
  end_capp();
  EXPECT_EQ(appHost, nullptr);
  end_capp();  // safe again
  setProgramArguments(0, nullptr);
  EXPECT_EQ(Arena::liveCount(), before);
}

}  // namespace
