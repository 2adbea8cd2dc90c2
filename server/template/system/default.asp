<!--#include virtual="comune.inc"-->
<%
// The home page: the blocks of the graphic project's home page between
// the header and the footer.
var paginaCorrente = "/default.asp";
var titoloPagina = T("PMTPAGINAHOME", "Home");
%>
<!--#include virtual="testa.inc"-->
<section class="benvenuto">
  <h1><%= H(generale.RagioneSociale) %></h1>
  <p><%= H(T("MSGBENVENUTO", "")) %></p>
</section>

<% var CodiceBanner = "HOME"; %>
<!--#include virtual="banner.inc"-->

<section class="sezione">
  <h2><%= H(T("PMTCATEGORIE", "Categorie")) %></h2>
  <ul class="categorie">
<% catalogo.ImpostaCalcoloNumeroProdottiCategoria(1);
   if (catalogo.ApriPaginaCategorie(0)) {
       do {
           var fotoCategoria = catalogo.ControlloFotoCategorie() ? String(catalogo.PercorsoFotoCategoria) : ""; %>
    <li class="categoria">
      <a href="<%= H(IndirizzoCategoria(catalogo.IDCategoria, 1)) %>">
<%         if (fotoCategoria !== "") { %>
        <img src="<%= H(fotoCategoria) %>" alt="" width="240" height="240" loading="lazy">
<%         } %>
        <span class="categoria-nome"><%= H(catalogo.NomeCategoria) %></span>
        <span class="categoria-conta"><%= H(T("PMTNUMEROPRODOTTI", "[N] prodotti", catalogo.NumeroProdottiCategoria)) %></span>
      </a>
    </li>
<%     } while (catalogo.LeggiCategoriaSuccessiva());
   }
   catalogo.ChiudiPaginaCategorie(); %>
  </ul>
</section>

<%
// The home page's way into the content: the top sections, the forum and
// the chat.
var contenutiHome = Server.CreateObject("QTR50.Contenuti");
contenutiHome.SetConn(generale.Conn);
contenutiHome.ImpostaCalcoloNumeroArticoliSezione(0);
%>
<section class="sezione" id="home-contenuti">
  <h2><%= H(T("PMTCONTENUTIHOME", "Articoli, forum e chat")) %></h2>
  <ul class="elenco-sezioni">
<% if (contenutiHome.ApriPaginaSezioni(0)) {
       do { %>
    <li><a class="titolo" href="<%= H(Indirizzo("/sezioni.asp", { IDSezione: contenutiHome.IDSezione })) %>"><%= H(contenutiHome.NomeSezione) %></a><p><%= H(contenutiHome.DescrizioneSezione) %></p></li>
<%     } while (contenutiHome.LeggiSezioneSuccessiva());
   }
   contenutiHome.ChiudiPaginaSezioni();
   contenutiHome.ImpostaCalcoloNumeroArticoliSezione(1);
   contenutiHome.Free(); %>
    <li><a class="titolo" id="home-forum" href="/forum.asp"><%= H(T("PMTFORUM", "Forum")) %></a><p><%= H(T("MSGFORUM", "Domande, consigli e idee tra clienti.")) %></p></li>
    <li><a class="titolo" id="home-chat" href="/chat.asp"><%= H(T("PMTCHAT", "Chat")) %></a><p><%= H(T("MSGCHAT", "Scegli una stanza, un nome e chiacchiera con gli altri visitatori.")) %></p></li>
  </ul>
</section>

<section class="sezione">
  <h2><%= H(T("PMTINVETRINA", "In vetrina")) %></h2>
  <ul class="schede">
<% // Each draw picks one product at random; one drawn twice is skipped.
   var vetrinaMassima = Number("8") || 0;
   var visti = {};
   var mostrati = 0;
   for (var estrazione = 0; estrazione < vetrinaMassima * 3 && mostrati < vetrinaMassima; ++estrazione) {
       if (!catalogo.ApriListaProdottiCasuali(0))
           break;
       if (!visti[catalogo.IDProdotto]) {
           visti[catalogo.IDProdotto] = true;
           SchedaProdotto();
           ++mostrati;
       }
       catalogo.ChiudiListaProdottiCasuali();
   } %>
  </ul>
</section>

<%
// The home page's way into the members' area.
var areaHome = Server.CreateObject("QTR50.AreaRiservata");
areaHome.SetConn(generale.Conn);
var vociMembri = [];
if (areaHome.ControlloUtenteCollegato()) {
    if (areaHome.ControlloAgenteCollegato())
        vociMembri.push({ indirizzo: "/clienti.asp", testo: T("PMTIMIEICLIENTI", "I miei clienti") });
    vociMembri.push({ indirizzo: "/profilo.asp", testo: T("PMTPROFILO", "Il mio profilo") });
    vociMembri.push({ indirizzo: "/interessi.asp", testo: T("PMTINTERESSI", "I miei interessi") });
    vociMembri.push({ indirizzo: "/destinatari.asp", testo: T("PMTDESTINATARI", "I miei destinatari") });
    vociMembri.push({ indirizzo: "/ordini.asp", testo: T("PMTIMIEIORDINI", "I miei ordini") });
} else {
    vociMembri.push({ indirizzo: "/accesso.asp", testo: T("PMTACCEDI", "Accedi") });
    vociMembri.push({ indirizzo: "/registrazione.asp", testo: T("PMTREGISTRAZIONE", "Registrati") });
    vociMembri.push({ indirizzo: "/recuperopassword.asp", testo: T("PMTRECUPEROPASSWORD", "Password dimenticata?") });
    vociMembri.push({ indirizzo: "/interessi.asp", testo: T("PMTINTERESSI", "I miei interessi") });
}
areaHome.Free();
%>
<section class="sezione area-membri" id="area-membri">
  <h2><%= H(T("PMTAREARISERVATA", "Area riservata")) %></h2>
  <ul class="voci-membri">
<% for (var vm = 0; vm < vociMembri.length; ++vm) { %>
    <li><a href="<%= vociMembri[vm].indirizzo %>"><%= H(vociMembri[vm].testo) %></a></li>
<% } %>
  </ul>
</section>

<!--#include virtual="piede.inc"-->

