<!--#include virtual="comune.inc"-->
<%
// The home page: the shop's welcome, its categories and a showcase of
// products picked at random.
var paginaCorrente = "/default.asp";
var titoloPagina = T("PMTPAGINAHOME", "Home");
var vetrinaMassima = 8;
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

<!--#include virtual="home-contenuti.inc"-->

<section class="sezione">
  <h2><%= H(T("PMTINVETRINA", "In vetrina")) %></h2>
  <ul class="schede">
<% // Each draw picks one product at random; one drawn twice is skipped.
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
<!--#include virtual="membrihome.inc"-->
<!--#include virtual="piede.inc"-->
