import pytest

from tests.harness.wine import Desktop
from tests.e2e.pad_session import Pad, PageServer


@pytest.fixture(scope="module")
def desktop():
    with Desktop() as d:
        yield d


@pytest.fixture
def page_server():
    with PageServer() as server:
        yield server


@pytest.fixture
def pad(desktop):
    p = Pad(desktop)
    yield p
    desktop._end(p.process)
