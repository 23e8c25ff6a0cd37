import pytest

from lumetra_app import Lumetra
from wine_session import WineSession


@pytest.fixture(scope="session")
def wine():
    """One Xvfb display and one fresh Wine prefix for the whole test session."""
    session = WineSession()
    session.place_sample_desktop()
    try:
        yield session
    finally:
        session.close()


@pytest.fixture(autouse=True)
def no_editors_left(request):
    """Editors a test opened (the read-me, config.ini, a Desktop file) would
    take the keyboard from the next test: close them afterwards."""
    yield
    if "wine" in request.fixturenames:
        request.getfixturevalue("wine").close_windows("Notepad")


@pytest.fixture
def lumetra(wine):
    """Lumetra with no data folder; ended and cleaned up after the test.
    A test module may override it to prepare a configuration first."""
    app = Lumetra(wine)
    app.reset_data()
    yield app
    app.stop()
    app.reset_data()


@pytest.hookimpl(tryfirst=True)
def pytest_configure(config):
    # The Windows build must exist before any end-to-end test runs.
    from wine_session import BIN, TEST_TOOLS
    missing = [p for p in (BIN / "Lumetra.exe", TEST_TOOLS / "winprobe.exe") if not p.exists()]
    if missing:
        raise pytest.UsageError(f"build the windows preset first; missing {missing}")
